// The "GFX Menu Maker" window, driven as a user drives it from the main window.

#include "menumaker/menumakerwindow.h"
#include "menumaker/menupatchfile.h"
#include "testsupport.h"
#include "samplepatch.h"
#include "starveddisk.h"
#include "windows/windowregistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef Q_OS_UNIX
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <sys/sysmacros.h>   // makedev
#endif
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const QStringList thirteenMessages = {
    "Menu picture no.1 is not selected",  "Menu picture no.2 is not selected",
    "Menu picture no.3 is not selected",  "Menu picture no.4 is not selected",
    "Menu picture no.5 is not selected",  "Menu picture no.6 is not selected",
    "Menu picture no.7 is not selected",  "Menu picture no.8 is not selected",
    "Menu picture no.9 is not selected",  "Menu picture no.10 is not selected",
    "Menu picture no.11 is not selected", "Menu picture no.12 is not selected",
    "You must select key",
};

const QList<int> exampleEntries = SamplePatch::entries;
const QString exampleSlotLines = QString::fromLatin1(SamplePatch::slotLines);
const QString bodyStart = "3B0450: F0C4DAE5243AEA00 EA00EE07DAC7C0D5 \r\n3B0458: F407 0D23 \r\n\r\n";
const QString bodyEnd = "27D628: FFFFFFFFFFFFFFFF 10161F030100FFFF";

MenuMakerWindow *openMaker()
{
    FormWindow *main = WindowRegistry::existing(WindowId::Form1);
    if (!main || !main->isVisible())
        main = openMain();
    click(main, "Command7");
    return WindowRegistry::existingAs<MenuMakerWindow>(WindowId::MenuMaker);
}

QComboBox *combo(QWidget *window, int n)
{
    return control<QComboBox>(window, QStringLiteral("Combo%1").arg(n));
}

// Picks list entry k of slot n with the arrow keys, as from the keyboard.
void choose(QWidget *window, int n, int k)
{
    QComboBox *box = combo(window, n);
    for (int i = 0; i < 16; ++i)
        QTest::keyClick(box, Qt::Key_Up);
    if (box->currentIndex() < 0)
        QTest::keyClick(box, Qt::Key_Down);
    for (int i = 0; i < k; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentIndex(), k);
}

void chooseAll(QWidget *window, const QList<int> &entries)
{
    for (int n = 1; n <= 12; ++n)
        choose(window, n, entries.at(n - 1));
}

// A check box takes clicks on its indicator and text only.
void clickCheckBox(QWidget *window, const QString &name)
{
    auto *box = control<QCheckBox>(window, name);
    QVERIFY2(box, qPrintable("no check box " + name));
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

void setTicks(QWidget *window, bool rightSoftKey, bool rightArrow)
{
    if (control<QCheckBox>(window, "Check1")->isChecked() != rightSoftKey)
        clickCheckBox(window, "Check1");
    if (control<QCheckBox>(window, "Check2")->isChecked() != rightArrow)
        clickCheckBox(window, "Check2");
}

void typePath(QWidget *window, const QString &path)
{
    auto *text1 = control<QLineEdit>(window, "Text1");
    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_Delete);
    QTest::keyClicks(text1, path);
    QCOMPARE(text1->text(), path);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// What a user sees and what Make has built: must outlive failures and hiding.
struct MakerState {
    QList<int> chosen;
    QStringList editTexts;
    bool check1 = false, check2 = false;
    QString path, label2, keyLines, menuLines;
    bool operator==(const MakerState &o) const
    {
        return chosen == o.chosen && editTexts == o.editTexts && check1 == o.check1
               && check2 == o.check2 && path == o.path && label2 == o.label2
               && keyLines == o.keyLines && menuLines == o.menuLines;
    }
};

MakerState stateOf(MenuMakerWindow *window)
{
    MakerState s;
    for (int n = 1; n <= 12; ++n) {
        s.chosen << combo(window, n)->currentIndex();
        s.editTexts << combo(window, n)->currentText();
    }
    s.check1 = control<QCheckBox>(window, "Check1")->isChecked();
    s.check2 = control<QCheckBox>(window, "Check2")->isChecked();
    s.path = control<QLineEdit>(window, "Text1")->text();
    s.label2 = window->Label2;
    s.keyLines = window->keyLines;
    s.menuLines = window->menuLines;
    return s;
}

#ifdef Q_OS_UNIX
// What getfacl, getfattr and lsattr print of a file: its ACL, every extended
// attribute (a capability among them) and its flags.
QString attributesOf(const QString &path)
{
    QString printed;
    for (const QStringList &command : {QStringList{"getfacl", "-p", path}, {"getfattr", "-d", "-m", "-", "-e", "hex", path},
                                       {"lsattr", path}}) {
        QProcess tool;
        tool.start(command.first(), command.mid(1));
        tool.waitForFinished();
        printed += QString::fromLocal8Bit(tool.readAllStandardOutput());
    }
    return printed;
}

// Runs `work` in a copy of this process and returns what it returned. The copy
// ends there, so the limits and the user that `work` takes on stay with it.
QByteArray inChildProcess(const std::function<QByteArray()> &work)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    if (fork() == 0) {
        const QByteArray report = work();
        _exit(::write(channel[1], report.constData(), size_t(report.size())) == report.size() ? 0 : 1);
    }
    ::close(channel[1]);
    QFile reader;
    reader.open(channel[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray report = reader.readAll();
    wait(nullptr);
    return report;
}
#endif

} // namespace

class MenuMakerTest : public QObject
{
    Q_OBJECT
private slots:
    void initialState();
    void makeAtStartReportsEverything();
    void makeBuildsTheText();
    void missingSlotKeepsEarlierText();
    void untickedKeysKeepLatestKeyLines();
    void saveWritesSecondMakeAndEnds();
    void saveTakesBackslashAsFolder();
    void saveFailureKeepsRunning_data();
    void saveFailureKeepsRunning();
    void saveWithNothingMade();
    void saveUnderLimitsIsWholeOrNothing_data();
    void saveUnderLimitsIsWholeOrNothing();
    void backKeepsEverything();
    void exitWritesNothing();
};

void MenuMakerTest::initialState()
{
    FreshRun run;
    QVERIFY(!WindowRegistry::existing(WindowId::MenuMaker));
    MenuMakerWindow *maker = openMaker();
    QVERIFY(maker);
    QCOMPARE(visibleWindows(), QStringList{"MenuMaker"});
    QCOMPARE(maker->windowTitle(), QStringLiteral("GFX Menu Maker"));
    QCOMPARE(maker->client()->size(), QSize(379, 337));
    QCOMPARE(maker->focusWidget(), combo(maker, 1));

    const QStringList entries = {"Organiser", "Message", "Surf/Fun", "Audio", "Record", "Setup",
                                 "WriteMessage", "Java", "MP3Player", "Games", "Calendar",
                                 "Card-Explorer", "Profiles", "Time/Charge", "Divert", "Help"};
    for (int n = 1; n <= 12; ++n) {
        QComboBox *box = combo(maker, n);
        QVERIFY(box->isEditable());
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QStringLiteral("Menu picture no. %1").arg(n));
        QStringList items;
        for (int k = 0; k < box->count(); ++k)
            items << box->itemText(k);
        QCOMPARE(items, entries);
        QCOMPARE(box->geometry(), QRect(8, 40 + 24 * (n - 1), 201, 21));
    }
    QCOMPARE(control<QCheckBox>(maker, "Check1")->text(), QStringLiteral("Right soft key"));
    QCOMPARE(control<QCheckBox>(maker, "Check2")->text(), QStringLiteral("Right arow"));
    QVERIFY(!control<QCheckBox>(maker, "Check1")->isChecked());
    QVERIFY(!control<QCheckBox>(maker, "Check2")->isChecked());
    QCOMPARE(control<QLineEdit>(maker, "Text1")->text(), QStringLiteral("C:\\windows\\plocha\\Gfx.vkp"));
    QCOMPARE(control<QLineEdit>(maker, "Text1")->geometry(), QRect(40, 8, 289, 25));
    const QList<std::pair<QString, QString>> buttons = {
        {"Command1", "Make"}, {"Command2", "Save"}, {"Command3", "Exit"}, {"Command4", "Back"}};
    for (const auto &[name, caption] : buttons)
        QCOMPARE(control<QPushButton>(maker, name)->text(), caption);
    QCOMPARE(control<QPushButton>(maker, "Command1")->geometry(), QRect(216, 184, 73, 33));
    QCOMPARE(control<QPushButton>(maker, "Command4")->geometry(), QRect(216, 224, 73, 33));

    // Keyboard order: the slots, Make, the key boxes, Save, the path, Exit, Back.
    const QStringList tabOrder = {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6",
                                  "Combo7", "Combo8", "Combo9", "Combo10", "Combo11", "Combo12",
                                  "Command1", "Check1", "Check2", "Command2", "Text1",
                                  "Command3", "Command4"};
    QStringList chain;
    QWidget *w = combo(maker, 1);
    do {
        if (tabOrder.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != combo(maker, 1));
    QCOMPARE(chain, tabOrder);

    // The load filled the tables; nothing is built yet.
    QCOMPARE(maker->entryCode[1], QStringLiteral("0840DB\r"));
    QCOMPARE(maker->slotPrefix[12], QStringLiteral("27D4FD: FFFFFF "));
    QVERIFY(maker->Label2.isEmpty());
    QCOMPARE(maker->Label1.size(), 1679);
    QVERIFY(run.messages.isEmpty());
}

void MenuMakerTest::makeAtStartReportsEverything()
{
    FreshRun run;
    MenuMakerWindow *maker = openMaker();
    QTest::keyClick(maker->focusWidget(), Qt::Key_Return);   // in "Menu picture no. 1"
    QVERIFY(run.messages.isEmpty());
    press(maker, "Command1", Qt::Key_Return);
    QCOMPARE(run.messages, thirteenMessages);
    QVERIFY(maker->Label2.isEmpty());
    QVERIFY(maker->keyLines.isEmpty());
    QVERIFY(maker->menuLines.isEmpty());
    for (int n = 1; n <= 12; ++n)
        QVERIFY(maker->slotLine[n].isEmpty());
    QCOMPARE(run.programEnds, 0);
    QCOMPARE(visibleWindows(), QStringList{"MenuMaker"});
}

void MenuMakerTest::makeBuildsTheText()
{
    FreshRun run;
    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, exampleEntries);
    QCOMPARE(combo(maker, 8)->currentText(), QStringLiteral("MP3Player"));
    setTicks(maker, true, false);
    click(maker, "Command1");
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(maker->slotLine[2], QStringLiteral("27D4DF: FFFFFF 0840DB\r"));
    QCOMPARE(maker->menuLines, exampleSlotLines);
    QCOMPARE(maker->Label2, QString::fromLatin1(SamplePatch::bytes()));

    // The same entry in every slot: each slot keeps its own address.
    chooseAll(maker, QList<int>(12, 15));
    click(maker, "Command1");
    QVERIFY(maker->menuLines.startsWith("27D4DC: FFFFFF 50FBEC\r27D4DF: FFFFFF 50FBEC\r"));
    QVERIFY(maker->Label2.endsWith("27D4FD: FFFFFF 50FBEC\r"));
    QCOMPARE(maker->menuLines.size(), 264);
    QVERIFY(run.messages.isEmpty());
}

void MenuMakerTest::missingSlotKeepsEarlierText()
{
    FreshRun run;
    MenuMakerWindow *maker = openMaker();

    // Never complete: only slot 5's message, key lines set, no text.
    QList<int> entries = exampleEntries;
    for (int n = 1; n <= 12; ++n)
        if (n != 5)
            choose(maker, n, entries.at(n - 1));
    setTicks(maker, true, false);
    click(maker, "Command1");
    QCOMPARE(run.messages, QStringList{"Menu picture no.5 is not selected"});
    QCOMPARE(maker->keyLines, QStringLiteral("3B036E: 3C 54\r"));
    QVERIFY(maker->slotLine[5].isEmpty());
    QVERIFY(maker->menuLines.isEmpty());
    QVERIFY(maker->Label2.isEmpty());

    // Complete with the right arrow, then type over slot 5's entry and make again.
    choose(maker, 5, 4);
    setTicks(maker, false, true);
    click(maker, "Command1");
    const QString made = maker->Label2;
    QVERIFY(made.startsWith("3B0368: 3C 54\r\r\r"));
    QVERIFY(made.endsWith(exampleSlotLines));

    run.messages.clear();
    QTest::keyClicks(combo(maker, 5), "x");
    QCOMPARE(combo(maker, 5)->currentIndex(), -1);
    QCOMPARE(combo(maker, 5)->currentText(), QStringLiteral("Recordx"));
    choose(maker, 1, 15);
    setTicks(maker, true, false);
    click(maker, "Command1");
    QCOMPARE(run.messages, QStringList{"Menu picture no.5 is not selected"});
    QCOMPARE(maker->keyLines, QStringLiteral("3B036E: 3C 54\r"));
    QCOMPARE(maker->slotLine[1], QStringLiteral("27D4DC: FFFFFF 50FBEC\r"));   // refreshed
    QCOMPARE(maker->slotLine[5], QStringLiteral("27D4E8: FFFFFF 1C40DB\r"));   // kept
    QCOMPARE(maker->menuLines, exampleSlotLines);
    QCOMPARE(maker->Label2, made);
}

void MenuMakerTest::untickedKeysKeepLatestKeyLines()
{
    FreshRun run;
    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, exampleEntries);

    // No key ever chosen: the message, and a text without key lines.
    click(maker, "Command1");
    QCOMPARE(run.messages, QStringList{"You must select key"});
    QCOMPARE(maker->Label2.size(), 1947);
    QVERIFY(maker->Label2.startsWith("\r\r" + bodyStart));

    // Both boxes, then neither: the text keeps both key lines.
    run.messages.clear();
    setTicks(maker, true, true);
    click(maker, "Command1");
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(maker->Label2.size(), 1974);
    QVERIFY(maker->Label2.startsWith("3B0368: 3C 54\r3B036E: 3C 54\r\r" + bodyStart));

    setTicks(maker, false, false);
    click(maker, "Command1");
    QCOMPARE(run.messages, QStringList{"You must select key"});
    QCOMPARE(maker->keyLines, QStringLiteral("3B0368: 3C 54\r3B036E: 3C 54"));
    QCOMPARE(maker->Label2.size(), 1974);
    QVERIFY(maker->Label2.startsWith("3B0368: 3C 54\r3B036E: 3C 54\r\r" + bodyStart));
}

void MenuMakerTest::saveWritesSecondMakeAndEnds()
{
    FreshRun run;
    QTemporaryDir dir;
    const QString path = dir.filePath("Gfx.vkp");
    writeFile(path, QByteArray(4000, 'z'));   // replaced whole, never appended to

    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, QList<int>(12, 7));
    setTicks(maker, true, true);
    click(maker, "Command1");
    chooseAll(maker, exampleEntries);
    setTicks(maker, true, false);
    click(maker, "Command1");
    typePath(maker, path);
    QCOMPARE(run.programEnds, 0);
    click(maker, "Command2");

    QCOMPARE(run.programEnds, 1);
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(maker->savePath, path);
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes, SamplePatch::bytes());
    QVERIFY(!bytes.contains("B4E1D8"));   // nothing of the first Make
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Gfx.vkp"});   // no stray temporary
}

void MenuMakerTest::saveTakesBackslashAsFolder()
{
    FreshRun run;
    WorkingFolder folder;
    QVERIFY(QDir(folder.path()).mkdir("out"));
    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, exampleEntries);
    setTicks(maker, false, true);
    click(maker, "Command1");
    typePath(maker, "out\\menu.vkp");
    click(maker, "Command2");
    const QString written = folder.path("out/menu.vkp");
#ifndef Q_OS_WIN
    QVERIFY(!QFile::exists(folder.path("out\\menu.vkp")));   // no backslash in a file name
#endif
    QCOMPARE(run.programEnds, 1);
    QCOMPARE(readAll(written), maker->Label2.toLatin1());
}

void MenuMakerTest::saveFailureKeepsRunning_data()
{
    QTest::addColumn<QString>("typedPath");   // "@" stands for the test's folder
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("node");        // made at "@/node" first
#ifdef Q_OS_WIN
    // Windows gives its own words for both: the system's text for a missing path.
    const QString noSuchFolder = qt_error_string(ERROR_PATH_NOT_FOUND);
    const QString notAFolder = noSuchFolder;
#else
    const QString noSuchFolder = QStringLiteral("No such file or directory");
    const QString notAFolder = QStringLiteral("Not a directory");
#endif
    QTest::newRow("missing folder") << "@/missing/Gfx.vkp" << noSuchFolder << "";
    QTest::newRow("folder as path") << "@" << "it is a folder" << "";
    QTest::newRow("file as folder") << "@/kept.vkp/Gfx.vkp" << notAFolder << "";
    QTest::newRow("empty path") << "" << "No file name given" << "";
    QTest::newRow("default path, no such folder") << "C:\\windows\\plocha\\Gfx.vkp" << noSuchFolder << "";
#ifdef Q_OS_UNIX
    QTest::newRow("FIFO without a reader") << "@/node" << "it is a FIFO, not a regular file" << "fifo";
    QTest::newRow("link to a FIFO") << "@/node" << "it is a FIFO, not a regular file" << "link";
    QTest::newRow("device") << "@/node" << "it is a device, not a regular file" << "device";
    QTest::newRow("link loop") << "@/node" << "Too many levels of symbolic links" << "loop";
    QTest::newRow("link to nothing") << "@/node" << "No such file or directory" << "dangling";
#endif
    QTest::newRow("read-only patch, whoever saves") << "@/node" << "it is read-only" << "read-only";
}

void MenuMakerTest::saveFailureKeepsRunning()
{
    QFETCH(QString, typedPath);
    QFETCH(QString, reason);
    QFETCH(QString, node);
    FreshRun run;
    WorkingFolder folder;   // a relative path lands here
    const QString kept = folder.path("kept.vkp");
    writeFile(kept, "3B036E: 3C 54\r\n");
    const QString path = QString(typedPath).replace("@", folder.path());
    if (node == "read-only") {
        writeFile(folder.path("node"), "3B0368: 3C 54\r\n");
        QVERIFY(QFile::setPermissions(folder.path("node"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
#ifdef Q_OS_UNIX
    const QByteArray nodePath = QFile::encodeName(folder.path("node"));
    if (node == "fifo" || node == "link")
        QCOMPARE(mkfifo(QFile::encodeName(folder.path(node == "link" ? "fifo" : "node")), 0600), 0);
    if (node == "link")
        QVERIFY(QFile::link(folder.path("fifo"), folder.path("node")));
    if (node == "device" && mknod(nodePath, S_IFCHR | 0600, makedev(1, 3)) != 0)   // as /dev/null
        QSKIP("Making a device node needs root");
    if (node == "loop" || node == "dangling")
        QVERIFY(QFile::link(folder.path(node == "loop" ? "loop" : "nowhere"), folder.path("node")));
    if (node == "loop")
        QVERIFY(QFile::link(folder.path("node"), folder.path("loop")));
    struct stat nodeBefore{}, nodeAfter{}, entryBefore{}, entryAfter{};
    stat(nodePath, &nodeBefore);
    lstat(nodePath, &entryBefore);
#endif

    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, exampleEntries);
    setTicks(maker, true, false);
    click(maker, "Command1");
    typePath(maker, path);
    const MakerState before = stateOf(maker);
    click(maker, "Command2");

    QCOMPARE(run.programEnds, 0);
    QCOMPARE(run.messages.size(), 1);
    QVERIFY2(run.messages.first().contains("\"" + path + "\""), qPrintable(run.messages.first()));
    QVERIFY2(run.messages.first().endsWith(reason), qPrintable(run.messages.first()));
    QVERIFY(run.messages.first().size() > QString("Cannot save the menu patch to \"\": ").size() + path.size());
    QCOMPARE(readAll(kept), QByteArray("3B036E: 3C 54\r\n"));
    QVERIFY(!QDir(folder.path()).exists("missing"));
#ifndef Q_OS_WIN
    QVERIFY(!QDir(folder.path()).exists("C:"));   // no folder made from the default path
#endif
    QCOMPARE(maker->savePath, path);
    QVERIFY(stateOf(maker) == before);
    QCOMPARE(visibleWindows(), QStringList{"MenuMaker"});
#ifdef Q_OS_UNIX
    stat(nodePath, &nodeAfter);   // the node and a link to it are left as they were
    lstat(nodePath, &entryAfter);
    QCOMPARE(nodeAfter.st_mode, nodeBefore.st_mode);
    QCOMPARE(nodeAfter.st_rdev, nodeBefore.st_rdev);
    QCOMPARE(entryAfter.st_mode, entryBefore.st_mode);
    QVERIFY(!QFileInfo::exists(folder.path("nowhere")));
#endif
    if (node == "read-only")
        QCOMPARE(readAll(folder.path("node")), QByteArray("3B0368: 3C 54\r\n"));

    // With a good path the same text is saved after all.
    typePath(maker, kept);
    click(maker, "Command2");
    QCOMPARE(run.programEnds, 1);
    QCOMPARE(readAll(kept), maker->Label2.toLatin1());
}

void MenuMakerTest::saveWithNothingMade()
{
    FreshRun run;
    QTemporaryDir dir;
    const QString path = dir.filePath("Gfx.vkp");
    writeFile(path, "earlier patch\r\n");
    MenuMakerWindow *maker = openMaker();
    typePath(maker, path);
    click(maker, "Command2");
    QCOMPARE(run.messages, QStringList{"Nothing to save yet: click Make first"});

    // A Make that finds a slot without an entry builds nothing either.
    chooseAll(maker, exampleEntries);
    QTest::keyClicks(combo(maker, 12), "s");
    setTicks(maker, true, false);
    click(maker, "Command1");
    run.messages.clear();
    click(maker, "Command2");
    QCOMPARE(run.messages, QStringList{"Nothing to save yet: click Make first"});

    QCOMPARE(run.programEnds, 0);
    QCOMPARE(readAll(path), QByteArray("earlier patch\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Gfx.vkp"});
}

void MenuMakerTest::saveUnderLimitsIsWholeOrNothing_data()
{
    QTest::addColumn<int>("existing");    // bytes of a patch already at the path; -1: no file
    QTest::addColumn<bool>("locked");     // the user may not add files to the folder
    QTest::addColumn<int>("sizeLimit");   // the most a file may hold; 0: no limit
    QTest::addColumn<QString>("kind");    // any of, split by ", ": "hard link": a second name;
                                          // "setgid": mode 2664; "setuid": the saving user's, 4755;
                                          // "group's": root's, 0660, saved by a member of its group;
                                          // "write-only": root's, 0602, saved by another user;
                                          // "setfacl/setfattr/setcap/chattr ...": the command that
                                          // gives the patch (with -d: the folder) an ACL, attribute,
                                          // capability or flags; "bind mount": a second file mounted
                                          // on the patch; "starved disk": on a disk out of blocks
    QTest::addColumn<QString>("reason");  // empty: saved
    QTest::newRow("size limit, existing patch") << 3300 << false << 300 << "" << "File too large";
    QTest::newRow("size limit, new file") << -1 << false << 300 << "" << "File too large";
    QTest::newRow("locked folder, patch shrinks") << 3300 << true << 0 << "" << "";
    QTest::newRow("locked folder, patch grows") << 100 << true << 0 << "" << "";
    QTest::newRow("locked folder, size limit") << 100 << true << 300 << "" << "File too large";
    QTest::newRow("locked folder, new file") << -1 << true << 0 << "" << "Permission denied";
    QTest::newRow("locked folder, limit below the old size") << 3300 << true << 300 << "" << "File too large";
    QTest::newRow("second hard link") << 3300 << false << 0 << "hard link" << "";
    QTest::newRow("setgid bit") << 3300 << false << 0 << "setgid" << "";
    QTest::newRow("another user's patch, shared group") << 3300 << false << 0 << "group's" << "";
    QTest::newRow("another user's write-only patch") << 3300 << false << 0 << "write-only" << "";
    QTest::newRow("ACL with a named user") << 3300 << false << 0 << "setfacl -m u:nobody:rw" << "";
    QTest::newRow("ACL denying a user") << 3300 << false << 0 << "setfacl -m u:nobody:---" << "";
    QTest::newRow("user attribute") << 3300 << false << 0 << "setfattr -n user.x -v hello" << "";
    QTest::newRow("folder's default ACL") << 3300 << false << 0 << "setfacl -d -m u:nobody:rw" << "";
    QTest::newRow("name of 255 bytes") << 3300 << false << 0 << "long name" << "";
    QTest::newRow("bind mount") << 3300 << false << 0 << "bind mount" << "";
    QTest::newRow("an ordinary owner's setuid patch") << 3300 << false << 0 << "setuid" << "";
    QTest::newRow("setuid patch with a second link") << 3300 << false << 0 << "setuid, hard link" << "";
    QTest::newRow("file capability") << 3300 << false << 0 << "setcap cap_net_raw+ep" << "";
    QTest::newRow("file capability with a second link") << 3300 << false << 0 << "setcap cap_net_raw+ep, hard link" << "";
    QTest::newRow("file flags") << 3300 << false << 0 << "chattr +dA" << "";
    const QString noSpace = QStringLiteral("No space left on device");
    QTest::newRow("a disk that cannot take the bytes, existing patch") << 3300 << false << 0 << "starved disk" << noSpace;
    QTest::newRow("a disk that cannot take the bytes, new file") << -1 << false << 0 << "starved disk" << noSpace;
    QTest::newRow("a disk that cannot take the bytes, empty patch with a second link")
        << 0 << false << 0 << "starved disk, hard link" << noSpace;
}

void MenuMakerTest::saveUnderLimitsIsWholeOrNothing()
{
#ifndef Q_OS_UNIX
    QSKIP("The limits are set in a child process, which this system does not fork");
#else
    QFETCH(int, existing);
    QFETCH(bool, locked);
    QFETCH(int, sizeLimit);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QStringList setups = kind.split(", ");
    const auto is = [&](const char *setup) { return setups.contains(QLatin1String(setup)); };
    FreshRun run;
    QTemporaryDir dir;
    std::optional<StarvedDisk> disk;
    if (const QString made = is("starved disk") ? disk.emplace(dir.path()).step("make") : QString(); !made.isEmpty())
        QSKIP(qPrintable("A disk of the test's own needs root and loop devices: " + made));
    const QString folder = disk ? disk->folder() : dir.path();
    const QString name = is("long name") ? QString(251, 'g') + ".vkp" : QString("Gfx.vkp");
    const QString path = QDir(folder).filePath(name);
    const QByteArray native = QFile::encodeName(path);
    const QString secondPath = QDir(folder).filePath("second.vkp");
    const QByteArray second = QFile::encodeName(secondPath);
    const QByteArray old = QByteArray("27D4DC: FFFFFF 5C40DB\r").repeated(200).left(existing);
    if (existing >= 0)
        writeFile(path, old);
    const bool othersPatch = is("group's") || is("write-only");
    const bool asNobody = locked || othersPatch || is("setuid");
    if (othersPatch && (getuid() != 0 || chown(native, 0, is("group's") ? 65534 : 0) != 0))
        QSKIP("Giving the patch to root and another group needs root");
    if (is("setuid") && getuid() == 0)
        QCOMPARE(chown(native, 65534, 65534), 0);   // saved by its owner, "nobody"
    const QHash<QString, int> modes = {{"setgid", 02664}, {"setuid", 04755}, {"group's", 0660}, {"write-only", 0602},
                                       {"setfacl -m u:nobody:rw", 0600}, {"setfacl -m u:nobody:---", 0644}};
    chmod(native, modes.value(setups.first(), 0666));
    const QStringList command = setups.first().split(' ');
    if (QStringList{"setfacl", "setfattr", "setcap", "chattr"}.contains(command.first())
        && QProcess::execute(command.first(), command.mid(1) << (command.contains("-d") ? folder : path)) != 0)
        QSKIP("The file system or the user here takes no such ACL, attribute, capability or flag");
    if (is("hard link"))
        QCOMPARE(link(native, second), 0);
    if (is("bind mount")) {
        writeFile(secondPath, old);
        if (mount(second, native, nullptr, MS_BIND, nullptr) != 0)
            QSKIP("Bind mounts need rights that the test lacks");
    }
    const auto unmount = qScopeGuard([&] { if (is("bind mount")) umount(native); });
    if (disk)
        QCOMPARE(disk->step("starve"), QString());
    chmod(QFile::encodeName(folder), locked ? 0555 : 0777);
    struct stat before{}, after{};
    stat(native, &before);
    const QString attributesBefore = attributesOf(path);
    const auto unlock = qScopeGuard([&] { chmod(QFile::encodeName(folder), 0755); });
    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, exampleEntries);
    setTicks(maker, true, false);
    click(maker, "Command1");
    typePath(maker, path);

    // The user clicks "Save" in a child process that runs under the limits; root,
    // whom folder rights do not hold back, becomes "nobody" there.
    const QStringList report = QString::fromUtf8(inChildProcess([&] {
        const rlimit fileSize{rlim_t(sizeLimit), rlim_t(sizeLimit)};
        MenuPatchFile::keepRunningOverSizeLimit();   // as the program does at its start
        if (sizeLimit > 0 && setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            return QByteArray("no limit");
        if (asNobody && getuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            return QByteArray("skip");
        click(maker, "Command2");
        return (QString::number(run.programEnds) + '\n' + run.messages.join('\n')).toUtf8();
    })).split('\n');
    if (report.first() == "skip")
        QSKIP("Root cannot become an unprivileged user here");
    if (disk)   // what never reached the disk is gone now
        QCOMPARE(disk->step("remount"), QString());

    const bool saves = reason.isEmpty();
    QCOMPARE(report, QStringList() << (saves ? "1" : "0")
                                   << (saves ? "" : "Cannot save the menu patch to \"" + path + "\": " + reason));
    QCOMPARE(readAll(path), saves ? SamplePatch::bytes() : existing >= 0 ? old : QByteArray("<unreadable>"));
    const bool twoNames = is("hard link") || is("bind mount");
    const QStringList names = existing < 0 ? QStringList() : twoNames ? QStringList{"Gfx.vkp", "second.vkp"}
                                                                      : QStringList{name};
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), names);
    if (twoNames)
        QCOMPARE(readAll(secondPath), readAll(path));
    // Still the same file: its owner, group, mode, links, ACL, attributes and flags.
    stat(native, &after);
    const auto identity = [](const struct stat &file) {
        return QList<qint64>{qint64(file.st_uid), qint64(file.st_gid), qint64(file.st_mode), qint64(file.st_nlink)};
    };
    QCOMPARE(identity(after), identity(before));
    QCOMPARE(attributesOf(path), attributesBefore);
#endif
}

void MenuMakerTest::backKeepsEverything()
{
    FreshRun run;
    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, exampleEntries);
    setTicks(maker, true, true);
    typePath(maker, "D:\\patches\\menu.vkp");
    click(maker, "Command1");
    QTest::keyClicks(combo(maker, 3), " typed");   // an edited slot without an entry
    const MakerState before = stateOf(maker);
    QCOMPARE(before.label2.size(), 1974);
    QCOMPARE(before.chosen.at(2), -1);
    maker->entryCode[0] = "marker";   // a second load would put the table back

    click(maker, "Command4");
    QCOMPARE(visibleWindows(), QStringList{"Form1"});
    QVERIFY(maker->Label2 == before.label2);

    QCOMPARE(openMaker(), maker);
    QCOMPARE(visibleWindows(), QStringList{"MenuMaker"});
    QVERIFY(stateOf(maker) == before);
    QCOMPARE(combo(maker, 3)->currentText(), QStringLiteral("Surf/Fun typed"));
    QCOMPARE(maker->entryCode[0], QStringLiteral("marker"));
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(run.programEnds, 0);
}

void MenuMakerTest::exitWritesNothing()
{
    FreshRun run;
    QTemporaryDir dir;
    MenuMakerWindow *maker = openMaker();
    chooseAll(maker, exampleEntries);
    setTicks(maker, true, false);
    click(maker, "Command1");
    typePath(maker, dir.filePath("Gfx.vkp"));
    click(maker, "Command3");
    QCOMPARE(run.programEnds, 1);
    QVERIFY(run.messages.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_MAIN(MenuMakerTest)
#include "tst_menumaker.moc"
