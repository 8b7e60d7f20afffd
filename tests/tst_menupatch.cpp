// The menu patch text, character for character, and the file it is saved to.

#include "menumaker/menupatch.h"
#include "menumaker/menupatchfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The body as the phone patch has it, written out here line by line.
const QStringList expectedBodyLines = {
    "3B0450: F0C4DAE5243AEA00 EA00EE07DAC7C0D5 ",
    "3B0458: F407 0D23 ",
    "",
    "27D500: FFFFFFFFFFFFFFFF DC4FD44E02002D32 ",
    "27D508: FFFFFFFFFFFFFFFF D7403400F2FE1C3E ",
    "27D510: FFFFFFFFFFFFFFFF 26FE6F0046F42000 ",
    "27D518: FFFFFFFFFFFFFFFF 3D0208E40D1146F4 ",
    "27D520: FFFFFFFFFFFFFFFF 21003D0228E40D0C ",
    "27D528: FFFFFFFFFFFFFFFF 46F422003D0208E1 ",
    "27D530: FFFFFFFFFFFFFFFF 0D0746F423003D02 ",
    "27D538: FFFFFFFFFFFFFFFF 28E10D0248412D62 ",
    "27D540: FFFFFFFFFFFFFFFF 48E0DD02E0BE0D04 ",
    "27D548: FFFFFFFFFFFFFFFF 46FE0C00CD01E00E ",
    "27D550: FFFFFFFFFFFFFFFF 48452D0F48432D0D ",
    "27D558: FFFFFFFFFFFFFFFF 06FE6F00D7403400 ",
    "27D560: FFFFFFFFFFFFFFFF F6FE1C3EE00CE00D ",
    "27D568: FFFFFFFFFFFFFFFF DAC1EC22E6F4FFFF ",
    "27D570: FFFFFFFFFFFFFFFF DB00F04E5C1400E4 ",
    "27D578: FFFFFFFFFFFFFFFF 06FEDC14E005D760 ",
    "27D580: FFFFFFFFFFFFFFFF 1F03998E999E99AE ",
    "27D588: FFFFFFFFFFFFFFFF 2DF1DAC788EE0DEE ",
    "",
    "27D590: FFFFFFFFFFFFFFFF 0000000000D5C700 ",
    "27D598: FFFFFFFFFFFFFFFF 00000000527CF000 ",
    "27D5A0: FFFFFFFFFFFFFFFF 9429E10228161F03 ",
    "27D5A8: FFFFFFFFFFFFFFFF 0000000065005000 ",
    "27D5B0: FFFFFFFFFFFFFFFF 1C3E340000000000 ",
    "27D5B8: FFFFFFFF 0000FF00 ",
    "27D5C0: FFFFFFFFFFFFFFFF E6F46F00D7403400 ",
    "27D5C8: FFFFFFFFFFFFFFFF F6F41C3E88908880 ",
    "27D5D0: FFFFFFFFFFFFFFFF E6FC5AF5E6FDD800 ",
    "27D5D8: FFFFFFFFFFFFFFFF E6FE96F5F0FDDAF0 ",
    "27D5E0: FFFFFFFFFFFFFFFF 3CFDF084F095F0C8 ",
    "27D5E8: FFFFFFFFFFFFFFFF F0D9E6FE9015E6FF ",
    "27D5F0: FFFFFFFFFFFFFFFF 1F03DAF024FFF0C8 ",
    "27D5F8: FFFFFFFFFFFFFFFF F0D9DAF09E809880 ",
    "27D600: FFFFFFFFFFFFFFFF 9890DB00E004DB00 ",
    "",
    "27D610: FFFFFFFFFFFFFFFF 03000300FFFF0000 ",
    "27D618: FFFFFFFFFFFFFFFF 0000FFFF00000000 ",
    "27D620: FFFFFFFFFFFFFFFF FFFF05000500FFFF ",
    "27D628: FFFFFFFFFFFFFFFF 10161F030100FFFF",
};

// The slot lines of the worked example: Organiser, Message, Surf/Fun, Audio,
// Record, Setup, WriteMessage, MP3Player, Games, Calendar, Card-Explorer, Profiles.
const QList<int> exampleEntries = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12};
const QString exampleMenuLines = "27D4DC: FFFFFF 3C40DB\r"
                                 "27D4DF: FFFFFF 0840DB\r"
                                 "27D4E2: FFFFFF 4C40DB\r"
                                 "27D4E5: FFFFFF 6C40DB\r"
                                 "27D4E8: FFFFFF 1C40DB\r"
                                 "27D4EB: FFFFFF 2C40DB\r"
                                 "27D4EE: FFFFFF 620AD9\r"
                                 "27D4F1: FFFFFF C4E1D8\r"
                                 "27D4F4: FFFFFF DAE1D8\r"
                                 "27D4F7: FFFFFF 50EFDB\r"
                                 "27D4FA: FFFFFF CAE1D8\r"
                                 "27D4FD: FFFFFF 5C40DB\r";

QString menuLinesOf(const QList<int> &entries)
{
    QString lines;
    for (int n = 1; n <= entries.size(); ++n)
        lines += MenuPatch::slotPrefix(n) + MenuPatch::entryCode(entries.at(n - 1));
    return lines;
}

QString textFor(bool rightSoftKey, bool rightArrow)
{
    return MenuPatch::composeText(MenuPatch::keyLines(rightSoftKey, rightArrow).value_or(QString()),
                                  MenuPatch::body(), menuLinesOf(exampleEntries));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class MenuPatchTest : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void keyChoices_data();
    void keyChoices();
    void bodyLayout();
    void tables();
    void slotMessages();
    void backslashSeparatesFolders();
    void fileHoldsExactlyTheText();
};

void MenuPatchTest::workedExample()
{
    const QString expected = QStringLiteral("3B036E: 3C 54\r") + "\r\r"
                             + expectedBodyLines.join("\r\n") + "\r\r" + exampleMenuLines;
    const QString text = textFor(true, false);
    QCOMPARE(text, expected);
    QCOMPARE(text.size(), 1961);
    QVERIFY(text.startsWith("3B036E: 3C 54\r\r\r3B0450: "));
    QCOMPARE(text.back(), QChar('\r'));
    QVERIFY(text.endsWith("27D4FD: FFFFFF 5C40DB\r"));

    // Read with CR LF and CR each ending a line, the text has 58 lines.
    QString oneEnd = text;
    oneEnd.replace("\r\n", "\n").replace('\r', '\n');
    QCOMPARE(oneEnd.count('\n'), 58);
}

void MenuPatchTest::keyChoices_data()
{
    QTest::addColumn<bool>("rightSoftKey");
    QTest::addColumn<bool>("rightArrow");
    QTest::addColumn<QString>("keyLines");
    QTest::addColumn<int>("length");
    QTest::newRow("right soft key") << true << false << "3B036E: 3C 54\r" << 1961;
    QTest::newRow("both") << true << true << "3B0368: 3C 54\r3B036E: 3C 54" << 1974;
    QTest::newRow("right arrow") << false << true << "3B0368: 3C 54\r" << 1961;
    QTest::newRow("none") << false << false << "" << 1947;
}

void MenuPatchTest::keyChoices()
{
    QFETCH(bool, rightSoftKey);
    QFETCH(bool, rightArrow);
    QFETCH(QString, keyLines);
    QFETCH(int, length);

    const std::optional<QString> lines = MenuPatch::keyLines(rightSoftKey, rightArrow);
    QCOMPARE(lines.has_value(), rightSoftKey || rightArrow);
    QCOMPARE(lines.value_or(QString()), keyLines);

    const QString text = textFor(rightSoftKey, rightArrow);
    QCOMPARE(text.size(), length);
    QVERIFY(text.startsWith(keyLines + "\r\r3B0450: F0C4DAE5243AEA00 "));
}

void MenuPatchTest::bodyLayout()
{
    const QString body = MenuPatch::body();
    QCOMPARE(body, expectedBodyLines.join("\r\n"));
    QCOMPARE(body.size(), 1679);
    QCOMPARE(body.count("\r\n"), 41);
    QCOMPARE(body.count('\r'), 41);   // no CR or LF outside the CR LF pairs
    QCOMPARE(body.count('\n'), 41);
    QVERIFY(body.endsWith("27D628: FFFFFFFFFFFFFFFF 10161F030100FFFF"));

    // In the text the body's last line is followed by the two CRs, never CR LF.
    const QString text = textFor(true, false);
    const qsizetype end = text.indexOf("10161F030100FFFF") + 16;
    QCOMPARE(text.mid(end, 4), QStringLiteral("\r\r27"));
    QCOMPARE(text.mid(end + 2, 22), QStringLiteral("27D4DC: FFFFFF 3C40DB\r"));
}

void MenuPatchTest::tables()
{
    const QStringList entries = MenuPatch::entryTexts();
    QCOMPARE(entries.size(), 16);
    QCOMPARE(entries.first(), QStringLiteral("Organiser"));
    QCOMPARE(entries.at(11), QStringLiteral("Card-Explorer"));
    QCOMPARE(entries.last(), QStringLiteral("Help"));

    QCOMPARE(MenuPatch::entryCode(0), QStringLiteral("3C40DB\r"));
    QCOMPARE(MenuPatch::entryCode(1), QStringLiteral("0840DB\r"));   // the leading zero stays
    QCOMPARE(MenuPatch::entryCode(7), QStringLiteral("B4E1D8\r"));
    QCOMPARE(MenuPatch::entryCode(15), QStringLiteral("50FBEC\r"));
    for (int k = 0; k < MenuPatch::entryCount; ++k) {
        QCOMPARE(MenuPatch::entryCode(k).size(), 7);
        QVERIFY(!MenuPatch::entryCode(k).contains('\n'));
    }

    QCOMPARE(MenuPatch::slotPrefix(1), QStringLiteral("27D4DC: FFFFFF "));
    QCOMPARE(MenuPatch::slotPrefix(12), QStringLiteral("27D4FD: FFFFFF "));
    for (int n = 1; n <= MenuPatch::slotCount; ++n) {
        const QString address = QString::number(0x27D4DC + 3 * (n - 1), 16).toUpper();
        QCOMPARE(MenuPatch::slotPrefix(n), address + ": FFFFFF ");
        QCOMPARE(MenuPatch::slotPrefix(n).size(), 15);
    }
    QCOMPARE(MenuPatch::slotPrefix(12) + MenuPatch::entryCode(15), QStringLiteral("27D4FD: FFFFFF 50FBEC\r"));
}

void MenuPatchTest::slotMessages()
{
    QCOMPARE(MenuPatch::slotMissingMessage(1), QStringLiteral("Menu picture no.1 is not selected"));
    QCOMPARE(MenuPatch::slotMissingMessage(12), QStringLiteral("Menu picture no.12 is not selected"));
    QCOMPARE(MenuPatch::keyMissingMessage, QStringLiteral("You must select key"));
}

void MenuPatchTest::backslashSeparatesFolders()
{
#ifdef Q_OS_WIN
    QCOMPARE(MenuPatchFile::localPath("C:\\windows\\plocha\\Gfx.vkp"), QStringLiteral("C:\\windows\\plocha\\Gfx.vkp"));
#else
    QCOMPARE(MenuPatchFile::localPath("C:\\windows\\plocha\\Gfx.vkp"), QStringLiteral("C:/windows/plocha/Gfx.vkp"));
    QCOMPARE(MenuPatchFile::localPath("out\\menu.vkp"), QStringLiteral("out/menu.vkp"));
    QCOMPARE(MenuPatchFile::localPath("/tmp/a b.vkp"), QStringLiteral("/tmp/a b.vkp"));
#endif
}

void MenuPatchTest::fileHoldsExactlyTheText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Gfx.vkp");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));   // longer than the text: nothing of it may remain
    old.close();

    const QString text = textFor(true, false);
    const MenuPatchFile::Outcome outcome = MenuPatchFile::write(path, text);
    QVERIFY2(outcome.saved, qPrintable(outcome.error));
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 1961);
    QCOMPARE(bytes, text.toLatin1());
    QVERIFY(!bytes.contains("\r\r\n"));

    // One byte per character, also beyond ASCII.
    QVERIFY(MenuPatchFile::write(path, QString::fromUtf8("\xc3\xa9\r\n")).saved);
    QCOMPARE(readAll(path), QByteArray("\xe9\r\n"));
}

QTEST_GUILESS_MAIN(MenuPatchTest)
#include "tst_menupatch.moc"
