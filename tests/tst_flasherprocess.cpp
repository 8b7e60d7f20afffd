// The real program start: the stand-in flasher is started as a process of its
// own from a catalogue window, and what it received is read from its log.

#include "testsupport.h"
#include "launcher/programstart.h"
#include "windows/cataloguewindow.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

QStringList logLines(const WorkingFolder &folder)
{
    QFile log(folder.path("data/flasher.log"));
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class FlasherProcessTest : public QObject
{
    Q_OBJECT
private slots:
    void applyAndUndoReachTheStandInFlasher();
    void aFlasherThatCannotStartIsReported();
    void theStandInRefusesAMalformedLine();
};

void FlasherProcessTest::applyAndUndoReachTheStandInFlasher()
{
    WorkingFolder folder;
    FreshRun run;
    ProgramStart::setStarter({});   // the real start, no recorder

    FormWindow *main = openMain();
    click(main, "com2");
    click(main, "Command1");   // "Gfx MENU", Czech page 1
    auto *form5 = qobject_cast<CatalogueWindow *>(shownWindow());
    QVERIFY(form5);
    click(form5, "p5");
    click(form5, "Command2");   // "Apply"
    QTRY_COMPARE_WITH_TIMEOUT(logLines(folder).size(), 1, 10000);
    QVERIFY(form5->launcher.taskId > 0);
    const double firstTask = form5->launcher.taskId;
    click(form5, "Command4");   // "Undo": "data\V_KLay.exe" finds data/v_klay.exe
    QTRY_COMPARE_WITH_TIMEOUT(logLines(folder).size(), 2, 10000);
    QVERIFY(form5->launcher.taskId != firstTask);

    QCOMPARE(logLines(folder),
             (QStringList{"write port=2 baud=115200 path=data\\Mgfxmenu Trandel (Czech).vkp",
                          "undo port=2 baud=115200 path=data\\Mgfxmenu Trandel (Czech).vkp"}));
    QVERIFY(run.messages.isEmpty());
}

void FlasherProcessTest::aFlasherThatCannotStartIsReported()
{
    WorkingFolder folder;
    QVERIFY(QFile::remove(folder.path("data/v_klay.exe")));
    FreshRun run;
    ProgramStart::setStarter({});

    FormWindow *main = openMain();
    click(main, "Command3");   // "Animated Operator Logo"
    auto *form4 = qobject_cast<CatalogueWindow *>(shownWindow());
    click(form4, "p2");
    click(form4, "Command2");
    QCOMPARE(run.messages.size(), 1);
    QVERIFY2(run.messages.first().startsWith("Cannot start data\\v_klay.exe: No such file"),
             qPrintable(run.messages.first()));
    QCOMPARE(form4->launcher.taskId, 0.0);
    QCOMPARE(shownWindow(), form4);

    // A file that is there but cannot run: the system's reason is shown.
    QFile notAProgram(folder.path("data/v_klay.exe"));
    QVERIFY(notAProgram.open(QIODevice::WriteOnly));
    notAProgram.write("plain text\n");
    notAProgram.close();
    notAProgram.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    click(form4, "Command4");
    QCOMPARE(run.messages.size(), 2);
#ifdef Q_OS_WIN
    // Windows refuses a file that is no program in its own words.
    QCOMPARE(run.messages.last(), "Cannot start data\\V_KLay.exe: " + qt_error_string(ERROR_BAD_EXE_FORMAT));
#else
    QVERIFY2(run.messages.last().startsWith("Cannot start data\\V_KLay.exe: ")
                 && run.messages.last().endsWith("Permission denied"),
             qPrintable(run.messages.last()));
#endif
    QCOMPARE(form4->launcher.taskId, 0.0);

    // A folder in the program's place is named as one.
    QVERIFY(notAProgram.remove());
    QVERIFY(QDir(folder.path()).mkpath("data/v_klay.exe"));
    click(form4, "Command2");
    QCOMPARE(run.messages.last(), QStringLiteral("Cannot start data\\v_klay.exe: It is a folder, not a program"));
}

void FlasherProcessTest::theStandInRefusesAMalformedLine()
{
    WorkingFolder folder;
    const QString flasher = folder.path("data/v_klay.exe");
    const QList<QStringList> malformed = {
        {},
        {"/ww=1", "/p=SL4x", "/pcom=COM1", "/pbaud=115200", "/warn=0", "/wr=1", "/qu=1"},
        {"/ww=1", "/p=XY0", "/pcom=COM1", "/pbaud=115200", "/warn=0", "/wr=1", "/qu=1", "x.vkp"},
        {"/ww=1", "/p=SL4x", "/pcom=COMx", "/pbaud=115200", "/warn=0", "/wr=1", "/qu=1", "x.vkp"},
        {"/ww=1", "/p=SL4x", "/pcom=COM1", "/pbaud=115200", "/warn=0", "/xx=1", "/qu=1", "x.vkp"},
    };
    for (const QStringList &arguments : malformed) {
        QProcess process;
        process.start(flasher, arguments);
        QVERIFY(process.waitForFinished(10000));
        QVERIFY2(process.exitCode() != 0, qPrintable(arguments.join(' ')));
        QVERIFY(process.readAllStandardError().contains("v_klay stand-in: "));
    }
    QVERIFY(!QFile::exists(folder.path("data/flasher.log")));
}

QTEST_MAIN(FlasherProcessTest)
#include "tst_flasherprocess.moc"
