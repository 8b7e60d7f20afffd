#pragma once

#include <QFont>
#include <QIcon>
#include <QWidget>

class QMenuBar;
class QPushButton;
class QRadioButton;

// The eleven windows of the program; each exists at most once in a run.
enum class WindowId { Form1, Form2, Form3, Form4, Form5, Form6, Form7, Form8, cz2, german, MenuMaker };

QString windowName(WindowId id);

// The frame that every window shares: a caption, a fixed client area that the user
// cannot resize, the backdrop drawn unscaled from the client area's top-left
// corner, and an icon; with a null icon the window has none of its own and shows
// what the toolkit shows for such a window. Controls are children of client(),
// placed in pixels.
class FormWindow : public QWidget
{
    Q_OBJECT
public:
    FormWindow(WindowId id, const QString &caption, QSize clientSize, const QIcon &icon);

    WindowId id() const { return m_id; }
    QWidget *client() const { return m_client; }

    // Runs once, when the window is created at its first show, before it is visible.
    virtual void formLoad() {}

    // Puts the whole frame, caption bar included, in the middle of the screen's
    // available area; for the first show.
    void centreOnScreen();

    // The window's own "Exit"; the frame's close box does the same.
    virtual void exitProgram();

    static QIcon appIcon();
    static QIcon makerIcon();
    static QIcon noIcon();

protected:
    // Puts a menu bar above the client area; the window grows by its height.
    void setMenuBar(QMenuBar *menuBar);
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void fixSize();
    void placeFrame(const QMargins &frame);
    // The frame around the client area as the window system has it, or none while
    // the window has no frame yet; formwindow_unix.cpp, formwindow_win.cpp.
    QMargins systemFrame() const;

    WindowId m_id;
    QWidget *m_client;
    QMenuBar *m_menuBar = nullptr;
    QSize m_clientSize;
    QMargins m_placedFrame;        // the frame that the window was centred by
    bool m_frameAwaited = false;   // first shown, but not yet exposed
};

// Places a control on a client area from twips, the unit of every layout table.
void placeTwips(QWidget *control, int left, int top, int width, int height);

// "MS Sans Serif" at the given size, the face the windows are laid out for; where it
// is missing, a sans-serif face of like width stands in.
QFont msSansSerif(double points);

// A command button of a layout table: named, placed in twips, never a default button.
QPushButton *commandButton(QWidget *parent, const char *name, const QString &caption,
                           int left, int top, int width, int height);

// An option button of the exclusive group that its parent holds, named; Tab stops
// at the group's checked option only, the arrow keys move within the group.
QRadioButton *optionButton(QWidget *parent, const char *name, const QString &caption);
