#pragma once

// What the window tests share: a fresh run per test, recorded messages, program
// starts and program ends instead of boxes, processes and quitting, and clicks
// where a user clicks.

#include "windows/formwindow.h"

#include <QStringList>
#include <QTemporaryDir>

class QAbstractButton;
class QWidget;

struct FreshRun {
    FreshRun();     // destroys every window of the previous test, installs the recorders
    ~FreshRun();

    QStringList messages;       // texts of message boxes, in order
    QStringList startedLines;   // command lines handed to the program start, in order
    int programEnds = 0;        // how often the program was ended
    bool failStarts = false;    // make the next program starts fail
    qint64 nextTaskId = 1000;   // the task id the next recorded start returns
};

// A working folder of its own for a test: becomes the current directory and holds
// data/ with the stand-in flasher as data/v_klay.exe.
struct WorkingFolder {
    WorkingFolder();
    ~WorkingFolder();
    QString path(const QString &relative = {}) const;
    QTemporaryDir dir;
    QString previous;
};

FormWindow *openMain();   // starts the run as the program does: Form1 shown

template <class T = QWidget> T *control(QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

void click(QWidget *window, const QString &controlName);   // a left click in the control's centre
// How press() strikes a key: pressed and released; held, with more presses that
// are not marked as repeats (as Wine sends them), then released; or released
// after Tab and Shift+Tab have taken the focus away and back.
enum class Stroke { Tap, HeldFreshPresses, FocusAwayAndBack };
// A left click (key 0), or the key struck while the control has the focus;
// Qt::Key_Enter is the keypad's.
void press(QWidget *window, const QString &controlName, int key, Stroke stroke = Stroke::Tap);
void clickRadio(QWidget *window, const QString &controlName);   // a click on the radio's indicator
QString shownText(QWidget *widget);
// The controls that real Tab presses visit, from `start` (given the focus first) until
// Tab would come back to it; `start` is the first.
QStringList tabStops(QWidget *start);   // the text a user reads on it, markup rendered
QStringList visibleWindows();   // object names of the visible windows
FormWindow *shownWindow();      // the one visible window of the program, or nullptr
QPointF offCentre(QWidget *window);   // from the screen's available middle to the frame's
