#include "testsupport.h"

#include "launcher/programstart.h"
#include "windows/messages.h"
#include "windows/windowregistry.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

FreshRun::FreshRun()
{
    WindowRegistry::destroyAllForNewRun();
    Messages::setRecorder([this](const QString &text) { messages << text; });
    ProgramStart::setStarter([this](const QString &line) {
        startedLines << line;
        ProgramStart::Outcome outcome;
        if (failStarts) {
            outcome.error = QStringLiteral("No such file or directory");
            return outcome;
        }
        outcome.started = true;
        outcome.taskId = nextTaskId++;
        return outcome;
    });
    WindowRegistry::setEndHandler([this] { ++programEnds; });
}

FreshRun::~FreshRun()
{
    WindowRegistry::destroyAllForNewRun();
    Messages::setRecorder({});
    ProgramStart::setStarter({});
    WindowRegistry::setEndHandler({});
}

WorkingFolder::WorkingFolder() : previous(QDir::currentPath())
{
    QDir(dir.path()).mkpath(QStringLiteral("data/All Patches"));
    QFile::copy(QStringLiteral(STANDIN_FLASHER), path(QStringLiteral("data/v_klay.exe")));
    QDir::setCurrent(dir.path());
}

WorkingFolder::~WorkingFolder() { QDir::setCurrent(previous); }

QString WorkingFolder::path(const QString &relative) const
{
    return relative.isEmpty() ? dir.path() : dir.filePath(relative);
}

FormWindow *openMain() { return WindowRegistry::show(WindowId::Form1); }

void click(QWidget *window, const QString &controlName)
{
    QWidget *target = control(window, controlName);
    QVERIFY2(target, qPrintable(QStringLiteral("no control ") + controlName));
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

void press(QWidget *window, const QString &controlName, int key, Stroke stroke)
{
    if (!key)
        return click(window, controlName);
    QWidget *target = control(window, controlName);
    QVERIFY2(target, qPrintable(QStringLiteral("no control ") + controlName));
    if (stroke == Stroke::FocusAwayAndBack) {
        window->activateWindow();   // Tab moves the focus only in the active window
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    target->setFocus();
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyPress(target, Qt::Key(key), modifiers);
    // Later key events go where the system sends them: to the focus of the window shown then.
    const auto focused = [] { return shownWindow() ? shownWindow()->focusWidget() : nullptr; };
    for (int again = 0; stroke == Stroke::HeldFreshPresses && again < 3 && focused(); ++again)
        QTest::keyPress(focused(), Qt::Key(key), modifiers);
    if (stroke == Stroke::FocusAwayAndBack) {
        QTest::keyClick(target, Qt::Key_Tab);
        QVERIFY(!target->hasFocus());
        QTest::keyClick(window->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(target->hasFocus());
    }
    if (focused())
        QTest::keyRelease(focused(), Qt::Key(key), modifiers);
}

void clickRadio(QWidget *window, const QString &controlName)
{
    auto *radio = control<QRadioButton>(window, controlName);
    QVERIFY2(radio, qPrintable(QStringLiteral("no radio ") + controlName));
    // Only the indicator and the text are the radio's click area.
    QStyleOptionButton option;
    option.initFrom(radio);
    const QRect indicator = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
    QTest::mouseClick(radio, Qt::LeftButton, {}, indicator.center());
}

QString shownText(QWidget *widget)
{
    QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(widget);
    return shown ? shown->text(QAccessible::Name) : QString();
}

QStringList tabStops(QWidget *start)
{
    QWidget *window = start->window();
    window->activateWindow();   // focus moves, and Qt shifts a group's Tab stop, only in the active window
    if (!QTest::qWaitForWindowActive(window))
        return {QStringLiteral("<window not active>")};
    start->setFocus(Qt::OtherFocusReason);
    QStringList stops = {start->objectName()};
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        if (window->focusWidget() == start)
            break;
        stops << window->focusWidget()->objectName();
    }
    return stops;
}

QStringList visibleWindows()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->objectName().isEmpty())
            names << w->objectName();
    names.sort();
    return names;
}

FormWindow *shownWindow()
{
    FormWindow *shown = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<FormWindow *>(w);
        if (window && window->isVisible()) {
            if (shown)
                return nullptr;
            shown = window;
        }
    }
    return shown;
}

QPointF offCentre(QWidget *window)
{
    return QRectF(window->frameGeometry()).center() - QRectF(window->screen()->availableGeometry()).center();
}
