// The menu patch text, character for character, and the file it is saved to.

#include "menumaker/menupatch.h"
#include "menumaker/menupatchfile.h"
#include "samplepatch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

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
                                  MenuPatch::body(), menuLinesOf(SamplePatch::entries));
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
    void samplePatch();
    void keyChoices_data();
    void keyChoices();
    void bodyLayout();
    void tables();
    void slotMessages();
    void backslashSeparatesFolders();
    void fileHoldsExactlyTheText();
};

void MenuPatchTest::samplePatch()
{
    const QString expected = QString::fromLatin1(SamplePatch::bytes());
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
    QCOMPARE(body, QString::fromLatin1(SamplePatch::body()));
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
