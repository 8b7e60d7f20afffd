#include "cataloguewindow.h"

#include "pageswitch.h"
#include "preview/picturebox.h"
#include "preview/previewanimation.h"

#include <QLabel>
#include <QRadioButton>

namespace {

QIcon iconOf(Catalogue::WindowIcon icon)
{
    switch (icon) {
    case Catalogue::WindowIcon::App:
        return FormWindow::appIcon();
    case Catalogue::WindowIcon::Standard:
        return {};   // none of its own: the toolkit's
    case Catalogue::WindowIcon::None:
        break;
    }
    return FormWindow::noIcon();
}

} // namespace

CatalogueWindow::CatalogueWindow(WindowId id, const Catalogue::CatalogueRow &row)
    : PatchWindow(id, iconOf(row.icon), QStringLiteral("You must select picture"))
    , m_row(row)
{
    for (const Catalogue::Picture &entry : row.pictures) {
        const QImage still(Catalogue::resource(Catalogue::stillPath(row.name, entry.name)));
        auto *box = new PictureBox(entry.name, still, client());
        box->setGeometry(entry.pixelRect());
        if (row.animated()) {
            box->setFocusPolicy(Qt::StrongFocus);   // previews are in the tab order
        } else {
            box->setToolTip(entry.toolTip);         // Form7's images take no focus
            box->setFocusPolicy(Qt::NoFocus);
        }
        const QString path = entry.patchPath;
        connect(box, &PictureBox::clicked, this, [this, path] { patchPath = path; });
        m_pictures << box;
    }

    if (row.hasPageRadios)
        addPageRadios();

    // The animation starts with the window and runs until the program ends.
    if (row.animated())
        m_animation = new PreviewAnimation(row, [this](const QString &name) { return picture(name); }, this);

    QWidget *previous = nullptr;
    for (const QString &name : row.focusOrder) {
        auto *control = client()->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
        Q_ASSERT(control);
        if (previous)
            setTabOrder(previous, control);
        else
            control->setFocus();
        previous = control;
    }
}

void CatalogueWindow::addPageRadios()
{
    auto radio = [this](const char *name, int top) {
        QRadioButton *r = optionButton(client(), name, QString());
        r->setFont(msSansSerif(13.5));
        placeTwips(r, 120, top, 255, 255);
        return r;
    };
    auto label = [this](const char *name, const QString &caption, int top) {
        auto *l = new QLabel(caption, client());
        l->setObjectName(QLatin1String(name));
        l->setFont(msSansSerif(9.75));
        l->setAutoFillBackground(true);   // opaque, in the toolkit's default colours
        placeTwips(l, 480, top, 735, 255);
    };
    m_page1 = radio("Option1", 2760);
    m_page2 = radio("Option2", 3000);
    label("Label1", QStringLiteral(" Page 1"), 2760);
    label("Label2", QStringLiteral(" Page 2"), 3000);
    m_page1->setChecked(true);
    PageSwitch::connectRadios(this, m_page1, m_page2);
}

PictureBox *CatalogueWindow::picture(const QString &name) const
{
    for (PictureBox *box : m_pictures)
        if (box->objectName() == name)
            return box;
    return nullptr;
}

QRadioButton *CatalogueWindow::pageRadio(int page) const
{
    return page == 1 ? m_page1 : page == 2 ? m_page2 : nullptr;
}
