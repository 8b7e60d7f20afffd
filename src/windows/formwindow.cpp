#include "formwindow.h"

#include "catalogue.h"
#include "windowregistry.h"

#include <algorithm>
#include <utility>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QWindow>

namespace {

// The frame of the window that was framed last. Where the window system frames a
// window only once it is shown (X11), the next window's frame is taken to be alike.
QMargins &lastKnownFrame()
{
    static QMargins frame;
    return frame;
}

const QPixmap &backdrop()
{
    static const QPixmap picture(Catalogue::resource(Catalogue::backdropPath()));
    return picture;
}

// The client area: the backdrop at its natural size from the top-left corner,
// cut off at the right and bottom edges.
class BackdropArea : public QWidget
{
public:
    explicit BackdropArea(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("client"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, backdrop());
    }
};

// A command button whose caption wraps onto more lines when it is wider than the
// button, as "   Ending    Animation" and "Animated Operator Logo" need to. The
// caption itself stays exactly as given.
//
// Return and the keypad's Enter press the button while it has the focus exactly as
// Space does, and as on the platform the tool comes from: the press holds the
// button down and the release of that key clicks it. A held key so clicks once,
// however the system marks its repeats, and not at all when the focus leaves the
// button before the release, since the button then lets go. It is still no
// default button: the keys press nothing while another control has the focus.
class CommandButton : public QPushButton
{
public:
    CommandButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        if (!enter || modifiers != Qt::NoModifier)
            return QPushButton::keyPressEvent(event);
        if (!event->isAutoRepeat()) {
            m_heldKey = event->key();
            setDown(true);
        }
    }

    void keyReleaseEvent(QKeyEvent *event) override
    {
        if (!m_heldKey || event->key() != m_heldKey)
            return QPushButton::keyReleaseEvent(event);
        if (event->isAutoRepeat())
            return;
        m_heldKey = 0;
        if (isDown()) {
            setDown(false);
            click();
        }
    }

    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        painter.drawItemText(textArea, Qt::AlignCenter | Qt::TextWordWrap, option.palette,
                             isEnabled(), caption, QPalette::ButtonText);
    }

private:
    int m_heldKey = 0;   // Return or Enter while it holds the button down
};

// An option button of the group that its parent holds. Qt makes the option that
// last had focus the group's only Tab stop, which may be one that is not
// checked; here the Tab stop is always the checked option, at its own place in
// the tab order, as in the window system the tool comes from. The arrow keys
// still move within the group as Qt has them.
class OptionButton : public QRadioButton
{
public:
    OptionButton(const QString &caption, QWidget *parent) : QRadioButton(caption, parent)
    {
        connect(this, &QRadioButton::toggled, this, &OptionButton::putTabStopOnChecked);
    }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QRadioButton::focusInEvent(event);   // here Qt moves the Tab stop to this option
        putTabStopOnChecked();
    }

private:
    void putTabStopOnChecked()
    {
        const QList<OptionButton *> group = parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly);
        const bool anyChecked = std::any_of(group.cbegin(), group.cend(),
                                            [](const OptionButton *option) { return option->isChecked(); });
        for (OptionButton *option : group) {
            const int policy = option->focusPolicy();
            const bool stop = option->isChecked() || !anyChecked;
            option->setFocusPolicy(Qt::FocusPolicy(stop ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
        }
    }
};

} // namespace

QString windowName(WindowId id)
{
    static const char *const names[] = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6",
                                        "Form7", "Form8", "cz2", "german", "MenuMaker"};
    return QString::fromLatin1(names[static_cast<int>(id)]);
}

FormWindow::FormWindow(WindowId id, const QString &caption, QSize clientSize, const QIcon &icon)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , m_id(id)
    , m_client(new BackdropArea(this))
    , m_clientSize(clientSize)
{
    setObjectName(windowName(id));
    setWindowTitle(caption);
    if (!icon.isNull())
        setWindowIcon(icon);
    fixSize();
}

void FormWindow::setMenuBar(QMenuBar *menuBar)
{
    m_menuBar = menuBar;
    menuBar->setParent(this);
    fixSize();
}

void FormWindow::fixSize()
{
    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, m_clientSize.width(), menuHeight);
    m_client->setGeometry(0, menuHeight, m_clientSize.width(), m_clientSize.height());
    setFixedSize(m_clientSize.width(), m_clientSize.height() + menuHeight);
}

void FormWindow::centreOnScreen()
{
    winId();   // where the system knows a frame before the show, it knows it now
    const QMargins frame = systemFrame();
    placeFrame(frame.isNull() ? lastKnownFrame() : frame);
    m_frameAwaited = true;
    windowHandle()->installEventFilter(this);
}

void FormWindow::placeFrame(const QMargins &frame)
{
    m_placedFrame = frame;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // Placed by its client area: a window manager that frames the window later
        // keeps the client area where it was put and draws the frame around it.
        const QRect area = screen->availableGeometry();
        const QSize outer = size().grownBy(frame);
        const QPoint client(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                            area.y() + (area.height() - outer.height()) / 2 + frame.top());
        setGeometry(QRect(client, size()));
    }
}

bool FormWindow::eventFilter(QObject *watched, QEvent *event)
{
    // By its first exposure the window has the frame that it shows, a window
    // manager's included; where that is not the frame it was placed by, it is
    // placed once more.
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        const QMargins frame = systemFrame();
        if (std::exchange(m_frameAwaited, false) && !frame.isNull()) {
            lastKnownFrame() = frame;
            if (frame != m_placedFrame)
                placeFrame(frame);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormWindow::hideEvent(QHideEvent *event)
{
    m_frameAwaited = false;   // hidden before its first exposure, it stays where it is
    QWidget::hideEvent(event);
}

void FormWindow::exitProgram()
{
    WindowRegistry::endProgram();
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // Closing from the frame would strand the program with every other window
    // hidden: the close box acts as the window's "Exit".
    event->ignore();
    exitProgram();
}

QIcon FormWindow::appIcon()
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addFile(Catalogue::resource(Catalogue::appIconPath(size)), QSize(size, size));
    return icon;
}

QIcon FormWindow::makerIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addFile(Catalogue::resource(Catalogue::makerIconPath(size)), QSize(size, size));
    return icon;
}

QIcon FormWindow::noIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

void placeTwips(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(Catalogue::twipsToPixels(left, top, width, height));
}

QFont msSansSerif(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

QPushButton *commandButton(QWidget *parent, const char *name, const QString &caption,
                           int left, int top, int width, int height)
{
    auto *button = new CommandButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    placeTwips(button, left, top, width, height);
    return button;
}

QRadioButton *optionButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *option = new OptionButton(caption, parent);
    option->setObjectName(QLatin1String(name));
    return option;
}
