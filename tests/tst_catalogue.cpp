// Catalogue windows: pictures select their patch, "Apply" and "Undo" start the
// flasher with the exact line, "Back" clears the selection, "Exit" ends the run.

#include "testsupport.h"
#include "preview/picturebox.h"
#include "windows/cataloguewindow.h"
#include "windows/windowregistry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

namespace {

const QString writeHead = QStringLiteral("data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM");
const QString writeTail = QStringLiteral(" /pbaud=115200 /warn=0 /wr=1 /qu=1 ");
const QString undoHead = QStringLiteral("data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM");
const QString undoTail = QStringLiteral(" /pbaud=115200 /warn=0 /rd=1 /qu=1 ");

struct Opening {
    const char *opener;    // main window button
    const char *language;  // option to check first, or nullptr
};

// Opens a catalogue window the way a user does and returns it.
CatalogueWindow *open(FormWindow *main, const QString &window)
{
    static const QMap<QString, Opening> openings = {
        {"Form5", {"Command1", "Option1"}}, {"Form2", {"Command1", "Option2"}},
        {"Form8", {"Command1", "Option3"}}, {"german", {"Command1", "Option4"}},
        {"Form3", {"Command2", nullptr}},   {"Form4", {"Command3", nullptr}},
        {"Form7", {"Command6", nullptr}}};
    const Opening how = openings.value(window);
    if (how.language)
        clickRadio(main, how.language);
    click(main, how.opener);
    return qobject_cast<CatalogueWindow *>(shownWindow());
}

} // namespace

class CatalogueTest : public QObject
{
    Q_OBJECT
private slots:
    void everyPictureSelectsItsPatch_data();
    void everyPictureSelectsItsPatch();
    void applyAndUndoStartTheExactLine_data();
    void applyAndUndoStartTheExactLine();
    void nothingSelectedShowsTheMessage();
    void selectionRules();
    void taskIdHoldsTheLatestStartAndSurvivesAFailedOne();
    void windowsLookAsDesigned();
    void exitEndsTheProgramFromAnyWindow();
};

void CatalogueTest::everyPictureSelectsItsPatch_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QRect>("place");   // pixels
    QTest::addColumn<QString>("path");
    auto row = [](const char *w, const char *p, QRect r, const char *path) {
        QTest::addRow("%s %s", w, p) << QString(w) << QString(p) << r << QString(path);
    };
    const int c0 = 0, c1 = 104, c2 = 208, r0 = 0, r1 = 88;
    row("Form2", "p1", {c0, r0, 101, 80}, " data\\MBrenoval.vkp");
    row("Form2", "p2", {c1, r0, 101, 80}, " data\\MTaskeron.vkp");
    row("Form2", "p3", {c2, r0, 101, 80}, " data\\MWimbrel_1.vkp");
    row("Form2", "p4", {c0, r1, 101, 80}, "  data\\MGFX menu 2 by Orsanel.VKP");
    row("Form2", "p5", {c1, r1, 101, 80}, "  data\\MQuirendo.vkp");
    row("Form2", "p6", {c2, r1, 101, 80}, "data\\MZabrotEN.vkp");
    row("Form3", "p1", {c0, r0, 104, 80}, "data\\EAPellido.vkp");
    row("Form3", "p2", {106, r0, 101, 80}, "data\\EAJava Ending Animation Morvask.vkp");
    row("Form3", "p3", {c2, r0, 104, 80}, "data\\EAVentrola.vkp");
    row("Form4", "p1", {c0, r0, 101, 80}, "data\\AOLDresk.vkp");
    row("Form4", "p2", {c1, r0, 101, 80}, "data\\AOLMirtano v03.vkp");
    row("Form4", "p3", {c2, r0, 101, 80}, "data\\AOLSpelvinV02.vkp");
    row("Form4", "P4", {c0, r1, 101, 80}, "data\\AKolbrina.vkp");
    row("Form4", "p5", {c1, r1, 101, 80}, "data\\ATrevasc.vkp");
    row("Form5", "p2", {c0, r0, 101, 80}, "data\\Mlumbard.vkp");
    row("Form5", "p1", {c1, r0, 101, 80}, "data\\MHaskoly.vkp");
    row("Form5", "p3", {c2, r0, 101, 80}, "data\\Mlumbard1.vkp");
    row("Form5", "p4", {c0, r1, 101, 80}, "data\\Mlumbard2.vkp");
    row("Form5", "p5", {c1, r1, 101, 80}, "data\\Mgfxmenu Trandel (Czech).vkp");
    row("Form5", "p6", {c2, r1, 101, 80}, "data\\Mlumbard3.vkp");
    row("Form8", "p1", {c0, r0, 101, 80}, "data\\MWimbrel(Polish version).vkp");
    row("Form8", "p2", {c1, r0, 101, 80}, "data\\MFoskar.vkp");
    row("Form8", "p3", {c2, r0, 101, 80}, "data\\MZabrotPL.vkp");
    row("german", "p1", {c0, r0, 101, 80}, "data\\MNorvalt.vkp");
    row("german", "p2", {c1, r0, 101, 80}, "data\\MSkelvor2.vkp");
    row("german", "p3", {c2, r0, 101, 80}, "data\\MVantrel_GFXMenu2.vkp");
    row("german", "p4", {c0, r1, 101, 80}, "data\\MGFX_MENU_Quobrin.vkp");
    row("Form7", "Image2", {c1, 24, 28, 7}, "data\\SATorvizen.vkp");
    row("Form7", "Image1", {c1, 40, 25, 7}, "data\\SAPelvadra.vkp");
    row("Form7", "Image4", {c1, 56, 80, 20}, "data\\SAMuskaro.vkp");
    row("Form7", "Image6", {c1, r1, 99, 25}, "data\\SAFenvora_w_undo.vkp");
    row("Form7", "Image5", {c1, 128, 93, 67}, "data\\SABrindolt.vkp");
}

void CatalogueTest::everyPictureSelectsItsPatch()
{
    QFETCH(QString, window);
    QFETCH(QString, picture);
    QFETCH(QRect, place);
    QFETCH(QString, path);
    FreshRun run;
    CatalogueWindow *form = open(openMain(), window);
    QVERIFY(form);
    QCOMPARE(form->objectName(), window);
    QCOMPARE(control(form, picture)->geometry(), place);
    QVERIFY(!form->patchPath);
    click(form, picture);
    QCOMPARE(form->patchPath.value_or("<none>"), path);
    click(form, "Command2");
    QCOMPARE(run.startedLines, QStringList{writeHead + "1" + writeTail + path});
    QVERIFY(run.messages.isEmpty());
}

void CatalogueTest::applyAndUndoStartTheExactLine_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("tailAndPath");   // what follows "/qu=1"
    QTest::addColumn<int>("key");               // that presses "Apply" and "Undo"; 0 clicks
    QTest::addColumn<Stroke>("stroke");         // how the key is struck
    // No, one and two leading blanks in the path: one, two and three blanks after "/qu=1".
    QTest::newRow("no blank") << "Form5" << "p1" << " data\\MHaskoly.vkp" << 0 << Stroke::Tap;
    QTest::newRow("one blank") << "Form2" << "p2" << "  data\\MTaskeron.vkp" << 0 << Stroke::Tap;
    QTest::newRow("two blanks") << "Form2" << "p5" << "   data\\MQuirendo.vkp" << 0 << Stroke::Tap;
    QTest::newRow("by Return") << "Form8" << "p3" << " data\\MZabrotPL.vkp" << int(Qt::Key_Return) << Stroke::Tap;
    QTest::newRow("by keypad Enter") << "german" << "p4" << " data\\MGFX_MENU_Quobrin.vkp" << int(Qt::Key_Enter) << Stroke::Tap;
    QTest::newRow("by Return held, fresh presses") << "Form4" << "p1" << " data\\AOLDresk.vkp" << int(Qt::Key_Return) << Stroke::HeldFreshPresses;
    // Released once the focus has been away: no start at all.
    QTest::newRow("by keypad Enter, focus away and back") << "Form5" << "p6" << "" << int(Qt::Key_Enter) << Stroke::FocusAwayAndBack;
}

void CatalogueTest::applyAndUndoStartTheExactLine()
{
    QFETCH(QString, window);
    QFETCH(QString, picture);
    QFETCH(QString, tailAndPath);
    QFETCH(int, key);
    QFETCH(Stroke, stroke);
    FreshRun run;
    FormWindow *main = openMain();
    click(main, "com2");
    CatalogueWindow *form = open(main, window);
    click(form, picture);
    QTest::keyClick(control(form, picture), Qt::Key_Return);   // a picture takes no key
    press(form, "Command2", key, stroke);   // "Apply"
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(control(form, "Command2"), &held);   // one press, one start
    press(form, "Command4", key, stroke);   // "Undo"
    if (tailAndPath.isEmpty()) {
        QCOMPARE(run.startedLines, QStringList());
        QCOMPARE(shownWindow(), form);
        return;
    }
    QCOMPARE(run.startedLines,
             (QStringList{"data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /wr=1 /qu=1" + tailAndPath,
                          "data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /rd=1 /qu=1" + tailAndPath}));
    QCOMPARE(form->launcher.writeCmd, writeHead + "2" + writeTail);
    QCOMPARE(form->launcher.undoCmd, undoHead + "2" + undoTail);
    QVERIFY(form->patchPath);   // the selection stays after a start
    QCOMPARE(shownWindow(), form);
}

void CatalogueTest::nothingSelectedShowsTheMessage()
{
    FreshRun run;
    FormWindow *main = openMain();
    CatalogueWindow *form = open(main, "Form3");
    QVERIFY(form->launcher.writeCmd.isEmpty());
    click(form, "Command2");
    click(form, "Command4");
    QCOMPARE(run.messages, (QStringList{"You must select picture", "You must select picture"}));
    QVERIFY(run.startedLines.isEmpty());
    QCOMPARE(form->launcher.taskId, 0.0);
    // Both lines are rebuilt with the port of the moment all the same.
    QCOMPARE(form->launcher.writeCmd, writeHead + "1" + writeTail);
    click(form, "Command1");
    click(main, "com2");
    click(main, "Command2");
    click(form, "Command4");
    QCOMPARE(form->launcher.undoCmd, undoHead + "2" + undoTail);
    QCOMPARE(form->launcher.writeCmd, writeHead + "2" + writeTail);
}

void CatalogueTest::selectionRules()
{
    FreshRun run;
    FormWindow *main = openMain();
    clickRadio(main, "Option2");
    CatalogueWindow *form2 = open(main, "Form2");
    click(form2, "p1");
    click(form2, "p2");
    QCOMPARE(*form2->patchPath, QStringLiteral(" data\\MTaskeron.vkp"));   // the last click wins
    // A double click is a click followed by the second press: it selects like a click.
    QTest::mouseClick(control(form2, "p4"), Qt::LeftButton);
    QTest::mouseDClick(control(form2, "p4"), Qt::LeftButton);
    QCOMPARE(*form2->patchPath, QStringLiteral("  data\\MGFX menu 2 by Orsanel.VKP"));
    // Clicking beside the pictures changes nothing.
    QTest::mouseClick(form2->client(), Qt::LeftButton, {}, QPoint(5, 200));
    QCOMPARE(*form2->patchPath, QStringLiteral("  data\\MGFX menu 2 by Orsanel.VKP"));

    // Another window's selection is its own, and "Back" clears only this one's.
    click(form2, "Command1");
    CatalogueWindow *form4 = open(main, "Form4");
    click(form4, "P4");
    click(form4, "Command1");
    QVERIFY(!form4->patchPath);
    QVERIFY(!form2->patchPath);
    click(main, "Command3");
    QCOMPARE(shownWindow(), form4);
    QVERIFY(!form4->patchPath);   // opened again: not loaded again, and no selection
    click(form4, "p5");
    QCOMPARE(*form4->patchPath, QStringLiteral("data\\ATrevasc.vkp"));
    QVERIFY(!form2->patchPath);
    QVERIFY(run.messages.isEmpty());
}

void CatalogueTest::taskIdHoldsTheLatestStartAndSurvivesAFailedOne()
{
    FreshRun run;
    CatalogueWindow *form = open(openMain(), "Form7");
    click(form, "Image4");
    run.nextTaskId = 4242;
    click(form, "Command2");
    click(form, "Command2");   // a second flasher, while the first may still run
    QCOMPARE(run.startedLines.size(), 2);
    QCOMPARE(form->launcher.taskId, 4243.0);

    run.failStarts = true;
    click(form, "Command4");
    QCOMPARE(form->launcher.taskId, 4243.0);
    QCOMPARE(run.messages,
             QStringList{"Cannot start data\\V_KLay.exe: No such file or directory"});
    QCOMPARE(form->launcher.undoCmd, undoHead + "1" + undoTail);
    QCOMPARE(*form->patchPath, QStringLiteral("data\\SAMuskaro.vkp"));
    QCOMPARE(shownWindow(), form);   // the program goes on
}

void CatalogueTest::windowsLookAsDesigned()
{
    FreshRun run;
    FormWindow *main = openMain();
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const QIcon programIcon(red);
    QApplication::setWindowIcon(programIcon);
    const QMap<QString, QString> firstFocus = {{"Form2", "Command3"}, {"Form3", "Command3"},
                                               {"Form4", "Command1"}, {"Form5", "Command3"},
                                               {"Form7", "Command1"}, {"Form8", "Command3"},
                                               {"german", "p1"}};
    int exits = 0;
    for (auto it = firstFocus.cbegin(); it != firstFocus.cend(); ++it) {
        CatalogueWindow *form = open(main, it.key());
        QCOMPARE(form->windowTitle(), QStringLiteral("Pikvart by Lumbard"));
        QCOMPARE(form->client()->size(), QSize(310, 334));
        QCOMPARE(form->focusWidget()->objectName(), it.value());
        // Form2 and Form8 have no icon of their own, so they show the program's.
        QCOMPARE(form->windowIcon().cacheKey() == programIcon.cacheKey(), it.key() == "Form2" || it.key() == "Form8");
        const QList<QPair<QString, QString>> buttons = {{"Command1", "Back"}, {"Command2", "Apply"},
                                                        {"Command3", "Exit"}, {"Command4", "Undo"}};
        for (const auto &[name, caption] : buttons)
            QCOMPARE(control<QPushButton>(form, name)->text(), caption);
        QCOMPARE(control(form, "Command2")->geometry(), QRect(48, 248, 97, 33));
        QCOMPARE(control(form, "Command3")->geometry(), QRect(160, 288, 97, 33));
        // Return presses the button that has the focus, even right after the first show.
        if (it.value() == "Command3") {
            QTest::keyClick(form->focusWidget(), Qt::Key_Return);
            QCOMPARE(run.programEnds, ++exits);
        }
        press(form, "Command1", Qt::Key_Enter);
        QCOMPARE(shownWindow(), main);
    }
    CatalogueWindow *form7 = open(main, "Form7");
    QCOMPARE(control(form7, "Image4")->toolTip(), QStringLiteral("Outgowing call"));
    QCOMPARE(control(form7, "Image4")->focusPolicy(), Qt::NoFocus);
    QVERIFY(!control(form7, "Image3"));
}

void CatalogueTest::exitEndsTheProgramFromAnyWindow()
{
    FreshRun run;
    FormWindow *main = openMain();
    CatalogueWindow *form3 = open(main, "Form3");
    click(form3, "Command1");
    CatalogueWindow *form8 = open(main, "Form8");
    click(form8, "Command3");
    QCOMPARE(run.programEnds, 1);
}

QTEST_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
