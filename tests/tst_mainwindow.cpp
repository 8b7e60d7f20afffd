// Start-up, the main window's controls and the moves between windows.

#include "testsupport.h"
#include "windows/cataloguewindow.h"
#include "windows/mainwindow.h"
#include "windows/messages.h"
#include "windows/windowregistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// Records "show X" / "hide X" for every top-level window, in the order they happen.
class ShowHideLog : public QObject
{
public:
    ShowHideLog() { qApp->installEventFilter(this); }
    ~ShowHideLog() override { qApp->removeEventFilter(this); }
    QStringList entries;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow() && qobject_cast<FormWindow *>(widget)) {
            if (event->type() == QEvent::Show)
                entries << "show " + widget->objectName();
            else if (event->type() == QEvent::Hide)
                entries << "hide " + widget->objectName();
        }
        return false;
    }
};

QString portText(QWidget *main) { return control<QLabel>(main, "Com")->text(); }

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void startsWithTheMainWindowAlone();
    void captionsAndLayout();
    void portButtonsSetTheLabelAndThePortSurvivesOpenings();
    void gfxMenuOpensTheCheckedLanguage_data();
    void gfxMenuOpensTheCheckedLanguage();
    void openersShowAndHideInTheirOrder_data();
    void openersShowAndHideInTheirOrder();
    void aWindowIsCreatedOnceAndKeepsItsPlace();
    void tabStopsAtTheCheckedLanguage_data();
    void tabStopsAtTheCheckedLanguage();
    void helpShowsItsMessageAndChangesNothing();
    void aMessageShowsPathsAsWritten();
    void exitAndTheCloseBoxEndTheProgram();
};

void MainWindowTest::startsWithTheMainWindowAlone()
{
    FreshRun run;
    FormWindow *main = openMain();
    QCOMPARE(visibleWindows(), QStringList{"Form1"});
    for (WindowId id : {WindowId::Form2, WindowId::Form3, WindowId::Form4, WindowId::Form5,
                        WindowId::Form6, WindowId::Form7, WindowId::Form8, WindowId::cz2,
                        WindowId::german, WindowId::MenuMaker})
        QVERIFY2(!WindowRegistry::existing(id), qPrintable(windowName(id)));
    QCOMPARE(portText(main), QStringLiteral("1"));
    QVERIFY(control<QRadioButton>(main, "Option1")->isChecked());
    for (const char *other : {"Option2", "Option3", "Option4"})
        QVERIFY(!control<QRadioButton>(main, other)->isChecked());
    QCOMPARE(main->windowTitle(), QStringLiteral("Pikvart by Lumbard"));
    QCOMPARE(main->focusWidget(), control(main, "Command1"));
    QVERIFY(run.messages.isEmpty());
    QVERIFY(main->frameGeometry().height() > main->height());   // the frame is drawn
    QVERIFY(offCentre(main).manhattanLength() <= 1);
}

void MainWindowTest::captionsAndLayout()
{
    FreshRun run;
    FormWindow *main = openMain();
    const QList<QPair<QString, QString>> captions = {
        {"Command1", "Gfx MENU"}, {"Command2", "   Ending    Animation"},
        {"Command3", "Animated Operator Logo"}, {"Command4", "Exit"},
        {"Command5", "All Patches"}, {"Command6", "System Graphic"},
        {"Command7", "Gfx Menu Maker"}, {"com1", "Com 1"}, {"com2", "Com 2"},
        {"Option1", "Czech gfx"}, {"Option2", "English gfx"}, {"Option3", "Polih gfx"},
        {"Option4", "German gfx"}};
    for (const auto &[name, caption] : captions)
        QCOMPARE(control<QAbstractButton>(main, name)->text(), caption);
    QCOMPARE(control<QLabel>(main, "Label1")->text(), QStringLiteral("Com port:"));

    // The client area is 310 x 197 pixels below the menu bar with its one item.
    QCOMPARE(main->client()->size(), QSize(310, 197));
    auto *menuBar = main->findChild<QMenuBar *>();
    QVERIFY(menuBar);
    QCOMPARE(menuBar->actions().size(), 1);
    QCOMPARE(menuBar->actions().first()->text(), QStringLiteral("Help"));
    QCOMPARE(main->client()->y(), menuBar->height());
    QCOMPARE(main->size(), QSize(310, 197 + menuBar->height()));
    QCOMPARE(main->minimumSize(), main->maximumSize());   // the user cannot resize it

    // Geometry in twips / 15: "Com 2" at 3960, 2040, 615 x 255.
    QCOMPARE(control(main, "com2")->geometry(), QRect(264, 136, 41, 17));
    QCOMPARE(control(main, "Command1")->geometry(), QRect(0, 8, 97, 41));

    // Tab order follows the tab indices 0..14, the labels left out.
    QStringList order;
    QWidget *w = control(main, "Command1");
    for (int i = 0; i < 13; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    QCOMPARE(order, (QStringList{"Command1", "Command2", "Command3", "Command4", "Command5",
                                 "Command6", "Option3", "Option1", "Option2", "com1", "com2",
                                 "Option4", "Command7"}));
}

void MainWindowTest::portButtonsSetTheLabelAndThePortSurvivesOpenings()
{
    FreshRun run;
    FormWindow *main = openMain();
    click(main, "com2");
    click(main, "com1");
    QCOMPARE(portText(main), QStringLiteral("1"));
    click(main, "com2");
    click(main, "com2");
    QCOMPARE(portText(main), QStringLiteral("2"));

    // Every opener and every Back later, the port and the language are as chosen.
    clickRadio(main, "Option3");
    for (const char *opener : {"Command1", "Command2", "Command3", "Command5", "Command6"}) {
        click(main, opener);
        QVERIFY(!main->isVisible());
        FormWindow *target = shownWindow();
        QVERIFY(target);
        click(target, "Command1");   // "Back"
        QCOMPARE(visibleWindows(), QStringList{"Form1"});
    }
    QCOMPARE(portText(main), QStringLiteral("2"));
    QVERIFY(control<QRadioButton>(main, "Option3")->isChecked());
    QVERIFY(!control<QRadioButton>(main, "Option1")->isChecked());
}

void MainWindowTest::gfxMenuOpensTheCheckedLanguage_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");   // pressed on the option, then on "Gfx MENU"
    QTest::addColumn<Stroke>("stroke");
    QTest::newRow("Czech") << "Option1" << "Form5" << 0 << Stroke::Tap;
    QTest::newRow("English") << "Option2" << "Form2" << 0 << Stroke::Tap;
    QTest::newRow("Polish") << "Option3" << "Form8" << 0 << Stroke::Tap;
    QTest::newRow("German") << "Option4" << "german" << 0 << Stroke::Tap;
    QTest::newRow("Polish by Return") << "Option3" << "Form8" << int(Qt::Key_Return) << Stroke::Tap;
    QTest::newRow("German by keypad Enter") << "Option4" << "german" << int(Qt::Key_Enter) << Stroke::Tap;
    QTest::newRow("Czech by Return held, fresh presses") << "Option1" << "Form5" << int(Qt::Key_Return) << Stroke::HeldFreshPresses;
}

void MainWindowTest::gfxMenuOpensTheCheckedLanguage()
{
    QFETCH(QString, option);
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(Stroke, stroke);
    FreshRun run;
    FormWindow *main = openMain();
    clickRadio(main, option);
    QVERIFY(control<QRadioButton>(main, option)->isChecked());
    ShowHideLog log;
    if (key)
        press(main, option, key, stroke);
    QCOMPARE(visibleWindows(), QStringList{"Form1"});
    press(main, "Command1", key, stroke);
    // The target shows first, then the main window hides; no other window is created.
    QCOMPARE(log.entries, (QStringList{"show " + window, "hide Form1"}));
    QCOMPARE(visibleWindows(), QStringList{window});
    int created = 0;
    for (WindowId id : {WindowId::Form2, WindowId::Form5, WindowId::Form8, WindowId::german})
        created += WindowRegistry::existing(id) ? 1 : 0;
    QCOMPARE(created, 1);
    QCOMPARE(run.programEnds, 0);
}

void MainWindowTest::openersShowAndHideInTheirOrder_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Ending Animation") << "Command2" << "Form3" << "Pikvart by Lumbard";
    QTest::newRow("Operator Logo") << "Command3" << "Form4" << "Pikvart by Lumbard";
    QTest::newRow("All Patches") << "Command5" << "Form6" << "Pikvart by Lumbard";
    QTest::newRow("System Graphic") << "Command6" << "Form7" << "Pikvart by Lumbard";
    QTest::newRow("Gfx Menu Maker") << "Command7" << "MenuMaker" << "GFX Menu Maker";
}

void MainWindowTest::openersShowAndHideInTheirOrder()
{
    QFETCH(QString, opener);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    FreshRun run;
    FormWindow *main = openMain();
    ShowHideLog log;
    click(main, opener);
    // Here the main window hides first and the target shows second.
    QCOMPARE(log.entries, (QStringList{"hide Form1", "show " + window}));
    QCOMPARE(visibleWindows(), QStringList{window});
    FormWindow *target = shownWindow();
    QCOMPARE(target->windowTitle(), caption);
    const QSize client = window == "MenuMaker" ? QSize(379, 337) : QSize(310, 334);
    QCOMPARE(target->size(), client);
    QVERIFY(offCentre(target).manhattanLength() <= 1);   // the whole frame
}

void MainWindowTest::aWindowIsCreatedOnceAndKeepsItsPlace()
{
    FreshRun run;
    FormWindow *main = openMain();
    click(main, "Command2");
    FormWindow *first = WindowRegistry::existing(WindowId::Form3);
    QVERIFY(first);
    first->move(40, 50);
    const QPoint place = first->pos();
    click(first, "Command1");   // "Back"
    QVERIFY(!first->isVisible());
    QCOMPARE(WindowRegistry::existing(WindowId::Form3), first);   // hidden, not destroyed
    click(main, "Command2");
    QCOMPARE(WindowRegistry::existing(WindowId::Form3), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->pos(), place);   // a later show is not centred again
}

void MainWindowTest::tabStopsAtTheCheckedLanguage_data()
{
    QTest::addColumn<int>("downs");   // Down presses from "Czech gfx"
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("stops");
    const QStringList buttons = {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6"};
    QTest::newRow("Czech") << 0 << "Option1" << buttons + QStringList{"Option1", "com1", "com2", "Command7"};
    QTest::newRow("English") << 1 << "Option2" << buttons + QStringList{"Option2", "com1", "com2", "Command7"};
    QTest::newRow("Polish") << 2 << "Option3" << buttons + QStringList{"Option3", "com1", "com2", "Command7"};
    QTest::newRow("German") << 3 << "Option4" << buttons + QStringList{"com1", "com2", "Option4", "Command7"};
}

void MainWindowTest::tabStopsAtTheCheckedLanguage()
{
    QFETCH(int, downs);
    QFETCH(QString, option);
    QFETCH(QStringList, stops);
    FreshRun run;
    FormWindow *main = openMain();
    QVERIFY(QTest::qWaitForWindowActive(main));

    // Six Tabs from "Gfx MENU" reach the checked language; the arrows pick another.
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(main->focusWidget(), Qt::Key_Tab);
    QCOMPARE(main->focusWidget()->objectName(), QStringLiteral("Option1"));
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(main->focusWidget(), Qt::Key_Down);
    QVERIFY(control<QRadioButton>(main, option)->isChecked());
    QCOMPARE(main->focusWidget()->objectName(), option);

    QCOMPARE(tabStops(control(main, "Command1")), stops);
}

void MainWindowTest::helpShowsItsMessageAndChangesNothing()
{
    FreshRun run;
    FormWindow *main = openMain();
    click(main, "com2");
    clickRadio(main, "Option2");
    auto *help = main->findChild<QMenuBar *>()->actions().first();
    QCOMPARE(help->objectName(), QStringLiteral("Help"));
    QMenuBar *bar = main->findChild<QMenuBar *>();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help).center());
    QCOMPARE(run.messages,
             QStringList{"Only select picture or patch and click on apply or undo :))"});
    QCOMPARE(portText(main), QStringLiteral("2"));
    QVERIFY(control<QRadioButton>(main, "Option2")->isChecked());
    QCOMPARE(visibleWindows(), QStringList{"Form1"});
    QCOMPARE(run.programEnds, 0);
}

void MainWindowTest::aMessageShowsPathsAsWritten()
{
    const QString text = QStringLiteral("Cannot save the menu patch to \"<i>a&lt;b.vkp\": Permission denied");
    QString shown;
    QTimer::singleShot(0, qApp, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        for (QLabel *label : box->findChildren<QLabel *>())
            shown += shownText(label);   // the text, and an empty icon
        box->accept();
    });
    Messages::show(nullptr, text);   // the real box
    QCOMPARE(shown, text);
}

void MainWindowTest::exitAndTheCloseBoxEndTheProgram()
{
    FreshRun run;
    FormWindow *main = openMain();
    press(main, "Command4", Qt::Key_Return);
    QCOMPARE(run.programEnds, 1);

    // The close box of any window acts as its "Exit": the window is not just hidden.
    click(main, "Command2");
    FormWindow *form3 = WindowRegistry::existing(WindowId::Form3);
    QVERIFY(!form3->close());
    QCOMPARE(run.programEnds, 2);
    QVERIFY(form3->isVisible());
    QVERIFY(!main->close());
    QCOMPARE(run.programEnds, 3);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
