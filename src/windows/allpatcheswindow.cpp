#include "allpatcheswindow.h"

#include "messages.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {

// The file list box: one entry highlighted at a time, and once one is, always one.
// What would take the highlight away does nothing: a click beside the entries, and
// Ctrl with a click or with Space on the highlighted entry.
class FileListBox : public QListWidget
{
public:
    explicit FileListBox(QWidget *parent) : QListWidget(parent)
    {
        setSelectionMode(QAbstractItemView::SingleSelection);
    }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override
    {
        const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
        if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect))
            return QItemSelectionModel::NoUpdate;
        return command;
    }

    // Ctrl with a click on the highlighted entry is no click at all, so it raises no pick.
    void mousePressEvent(QMouseEvent *event) override
    {
        if (!ignoresClick(event))
            QListWidget::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        if (!ignoresClick(event))
            QListWidget::mouseDoubleClickEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (!std::exchange(m_ignoringClick, false))
            QListWidget::mouseReleaseEvent(event);
    }

private:
    bool ignoresClick(const QMouseEvent *event)
    {
        m_ignoringClick = event->modifiers().testFlag(Qt::ControlModifier)
                          && selectionModel()->isSelected(indexAt(event->position().toPoint()));
        return m_ignoringClick;
    }

    bool m_ignoringClick = false;
};

} // namespace

const QString AllPatchesWindow::patchFolder = QStringLiteral("data\\All Patches\\");

AllPatchesWindow::AllPatchesWindow()
    : PatchWindow(WindowId::Form6, noIcon(), QStringLiteral("You must select patch"))
    , m_files(new FileListBox(client()))
    , m_picked(new QLabel(client()))
{
    m_files->setObjectName(QStringLiteral("File1"));
    // Every row is one line of text: the view need not measure thousands of names.
    m_files->setUniformItemSizes(true);
    placeTwips(m_files, 0, 0, 4575, 3015);

    // Empty until the first pick; grows to the right with its text; the backdrop shows through.
    m_picked->setObjectName(QStringLiteral("Label1"));
    m_picked->setTextFormat(Qt::PlainText);   // a file name shows as it is, "<i>" and "&lt;" too
    m_picked->setWordWrap(false);
    m_picked->setAutoFillBackground(false);
    placeTwips(m_picked, 120, 3120, 45, 195);

    // A pick is a mouse click or a keyboard move that highlights an entry. The
    // click also counts on the entry that is already highlighted, so after "Back"
    // the highlighted file can be selected again without picking another first.
    // The list's own setting of a current entry on focus highlights nothing and
    // so is no pick.
    connect(m_files, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_files->selectedItems().isEmpty())
            File1_Click();
    });
    connect(m_files, &QListWidget::itemClicked, this, &AllPatchesWindow::File1_Click);

    // Tab order: the list, then "Back", "Exit", "Undo", "Apply"; the label takes no focus.
    setTabOrder(m_files, backButton());
    setTabOrder(backButton(), exitButton());
    setTabOrder(exitButton(), undoButton());
    setTabOrder(undoButton(), applyButton());
    m_files->setFocus();
}

QStringList AllPatchesWindow::listPatchFolder(QString *failureReason)
{
    QString localPath = patchFolder;
    localPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo folder(localPath.chopped(1));   // without its last slash, a file there is seen
    QString reason;
    QStringList names;
    if (!folder.exists())
        reason = QStringLiteral("it does not exist");
    else if (!folder.isDir())
        reason = QStringLiteral("it is not a folder");
    else if (!folder.isReadable())
        reason = QStringLiteral("access is denied");
    else
        names = folderFiles(localPath, &reason);
    if (!reason.isEmpty()) {
        if (failureReason)
            *failureReason = reason;
        return {};
    }
    // Letter case is ignored; names equal but for case keep a fixed order.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

void AllPatchesWindow::formLoad()
{
    PatchWindow::formLoad();
    QString failureReason;
    m_files->addItems(listPatchFolder(&failureReason));
    if (!failureReason.isEmpty()) {
        // Told once the window is up, so that the box stands over it; the window
        // opens all the same, with an empty list.
        const QString text = QStringLiteral("Cannot read the folder ") + patchFolder
                             + QStringLiteral(": ") + failureReason;
        QTimer::singleShot(0, this, [this, text] { Messages::show(this, text); });
    }
}

void AllPatchesWindow::File1_Click()
{
    const QList<QListWidgetItem *> picked = m_files->selectedItems();
    if (picked.isEmpty())
        return;
    const QString name = picked.first()->text();
    m_picked->setText(QStringLiteral("Install: ") + name);
    m_picked->adjustSize();
    patchPath = patchFolder + name;
}
