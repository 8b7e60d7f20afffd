// The flasher's command lines and how the real program start reads them.

#include "launcher/flashercommand.h"
#include "launcher/programstart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FlasherCommandTest : public QObject
{
    Q_OBJECT
private slots:
    void linesUpToThePath_data();
    void linesUpToThePath();
    void wordsOfALine();
    void programWordResolvesIgnoringCase();
};

void FlasherCommandTest::linesUpToThePath_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("undo");
    QTest::newRow("port 1") << "1"
                            << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 "
                            << "data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /rd=1 /qu=1 ";
    QTest::newRow("port 2") << "2"
                            << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /wr=1 /qu=1 "
                            << "data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /rd=1 /qu=1 ";
}

void FlasherCommandTest::linesUpToThePath()
{
    QFETCH(QString, port);
    QFETCH(QString, write);
    QFETCH(QString, undo);
    QCOMPARE(FlasherCommand::writeCmd(port), write);
    QCOMPARE(FlasherCommand::undoCmd(port), undo);
    QCOMPARE(FlasherCommand::writeCmd(port).size(), 75);
    QCOMPARE(FlasherCommand::programWord(write + "data\\x.vkp"), QStringLiteral("data\\v_klay.exe"));
}

void FlasherCommandTest::wordsOfALine()
{
    // A run of blanks separates; nothing is quoted, so a path with blanks is several words.
    const QString line = FlasherCommand::undoCmd("2") + "  data\\MGFX menu 2 by Orsanel.VKP";
    const QStringList words = ProgramStart::splitWords(line);
    QCOMPARE(words, (QStringList{"data\\V_KLay.exe", "/ww=1", "/p=SL4x", "/pcom=COM2",
                                 "/pbaud=115200", "/warn=0", "/rd=1", "/qu=1", "data\\MGFX",
                                 "menu", "2", "by", "Orsanel.VKP"}));
    QVERIFY(ProgramStart::splitWords("   ").isEmpty());
}

void FlasherCommandTest::programWordResolvesIgnoringCase()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Data/sub");
    QFile f(dir.filePath("Data/v_klay.exe"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString expected = QFileInfo(dir.filePath("Data/v_klay.exe")).absoluteFilePath();
#ifdef Q_OS_WIN
    // The file system ignores letter case itself; the path keeps the word's spelling.
    const Qt::CaseSensitivity sameName = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity sameName = Qt::CaseSensitive;
#endif
    for (const char *word : {"data\\v_klay.exe", "data\\V_KLay.exe", "DATA\\V_KLAY.EXE", "data/v_klay.exe"}) {
        const QString resolved = ProgramStart::resolveProgram(word, dir.path());
        QVERIFY2(resolved.compare(expected, sameName) == 0, qPrintable(word + (" -> " + resolved)));
    }
    QVERIFY(ProgramStart::resolveProgram("data\\missing.exe", dir.path()).isEmpty());
    QVERIFY(ProgramStart::resolveProgram("data\\sub", dir.path()).isEmpty());   // a folder is no program
    QVERIFY(ProgramStart::resolveProgram("nodir\\v_klay.exe", dir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(FlasherCommandTest)
#include "tst_flashercommand.moc"
