// The "All Patches" window: what it lists, what a pick selects, what survives
// "Back", and the line the flasher receives.

#include "testsupport.h"
#include "windows/allpatcheswindow.h"
#include "windows/windowregistry.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString writeHead = QStringLiteral("data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 ");
const QString undoHead = QStringLiteral("data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /rd=1 /qu=1 ");

void putFile(const WorkingFolder &folder, const QString &name)
{
    QFile file(folder.path(QStringLiteral("data/All Patches/") + name));
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
    file.write("patch\n");
}

// Sets a file's attributes on Windows and reads them back: whether it holds them.
bool giveAttributes(const QString &path, quint32 attributes)
{
    if (!attributes)
        return true;
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    return SetFileAttributesW(native.c_str(), attributes) && (GetFileAttributesW(native.c_str()) & attributes) == attributes;
#else
    Q_UNUSED(path);
    return false;
#endif
}

AllPatchesWindow *openAllPatches()
{
    FormWindow *main = WindowRegistry::existing(WindowId::Form1);
    if (!main)
        main = openMain();
    click(main, QStringLiteral("Command5"));
    return WindowRegistry::existingAs<AllPatchesWindow>(WindowId::Form6);
}

QListWidget *fileList(QWidget *window) { return control<QListWidget>(window, QStringLiteral("File1")); }
QString labelText(QWidget *window) { return shownText(control<QLabel>(window, QStringLiteral("Label1"))); }

QStringList listed(QWidget *window)
{
    QStringList names;
    QListWidget *list = fileList(window);
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

QStringList highlighted(QWidget *window)
{
    QStringList names;
    for (QListWidgetItem *item : fileList(window)->selectedItems())
        names << item->text();
    return names;
}

// A left click on the entry, where the user sees it.
void pick(QWidget *window, const QString &name)
{
    QListWidget *list = fileList(window);
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

} // namespace

class AllPatchesTest : public QObject
{
    Q_OBJECT
private slots:
    void firstOpening();
    void listsFilesOnlyOnceByNameIgnoringCase();
    void pickSetsLabelAndSelection_data();
    void pickSetsLabelAndSelection();
    void laterPicksReplaceEarlierOnes_data();
    void laterPicksReplaceEarlierOnes();
    void backKeepsLabelHighlightAndScrollButNotSelection();
    void unreadableFolderOpensEmptyAndSaysWhy_data();
    void unreadableFolderOpensEmptyAndSaysWhy();
    void emptyFolderOffersNothing();
};

void AllPatchesTest::firstOpening()
{
    WorkingFolder folder;
    FreshRun run;
    putFile(folder, QStringLiteral("one.vkp"));
    AllPatchesWindow *form6 = openAllPatches();
    QVERIFY(form6);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form6")});

    QListWidget *list = fileList(form6);
    QVERIFY(list);
    QVERIFY(list->uniformItemSizes());
    QCOMPARE(list->geometry(), QRect(0, 0, 305, 201));
    QCOMPARE(form6->focusWidget(), list);
    QCOMPARE(listed(form6), QStringList{QStringLiteral("one.vkp")});
    QVERIFY(highlighted(form6).isEmpty());
    QCOMPARE(labelText(form6), QString());
    QVERIFY(!control<QLabel>(form6, QStringLiteral("Label1"))->autoFillBackground());
    QVERIFY(!form6->patchPath.has_value());
    QTest::qWait(20);   // a failure message would be told once the window is up
    QVERIFY(run.messages.isEmpty());
}

void AllPatchesTest::listsFilesOnlyOnceByNameIgnoringCase()
{
    WorkingFolder folder;
    FreshRun run;
    for (const char *name : {"beta.vkp", "Alpha.VKP", "gamma.txt", "Delta", "My logo patch.vkp", ".hidden.vkp"})
        putFile(folder, QString::fromLatin1(name));
    QVERIFY(QDir(folder.path(QStringLiteral("data/All Patches"))).mkdir(QStringLiteral("Sub folder")));
    putFile(folder, QStringLiteral("Sub folder/inner.vkp"));

    AllPatchesWindow *form6 = openAllPatches();
    const QStringList expected = {"Alpha.VKP", "beta.vkp", "Delta", "gamma.txt", "My logo patch.vkp"};
    QCOMPARE(listed(form6), expected);

    // Read at the first opening only: later files stay out for the whole run.
    putFile(folder, QStringLiteral("added later.vkp"));
    click(form6, QStringLiteral("Command1"));
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form1")});
    QCOMPARE(openAllPatches(), form6);
    QCOMPARE(listed(form6), expected);
}

void AllPatchesTest::pickSetsLabelAndSelection_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("writeLine");   // what "Apply" hands to the program start, port 1; none if unlisted
    QTest::addColumn<quint32>("attributes");  // the file's attributes on Windows, where not 0
    QTest::newRow("vkp") << "Mlogo.vkp"
        << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\All Patches\\Mlogo.vkp" << 0u;
    QTest::newRow("other extension") << "notes.txt"
        << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\All Patches\\notes.txt" << 0u;
    QTest::newRow("no extension") << "README"
        << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\All Patches\\README" << 0u;
    QTest::newRow("blanks inside, unquoted") << "My logo patch.vkp"
        << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\All Patches\\My logo patch.vkp" << 0u;
    QTest::newRow("leading blank") << " lead.VKP"
        << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\All Patches\\ lead.VKP" << 0u;
    QTest::newRow("entity in the name") << "a&lt;b.vkp"
        << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\All Patches\\a&lt;b.vkp" << 0u;
#ifdef Q_OS_WIN
    QTest::newRow("read-only") << "r.vkp" << writeHead + "data\\All Patches\\r.vkp" << quint32(FILE_ATTRIBUTE_READONLY);
    QTest::newRow("archived") << "a.vkp" << writeHead + "data\\All Patches\\a.vkp" << quint32(FILE_ATTRIBUTE_ARCHIVE);
    QTest::newRow("system, left out") << "s.vkp" << "" << quint32(FILE_ATTRIBUTE_SYSTEM);
    QTest::newRow("hidden system, left out") << "hs.vkp" << "" << quint32(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
#else
    QTest::newRow("markup in the name") << "<i>italic.vkp"
        << "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\All Patches\\<i>italic.vkp" << 0u;
#endif
}

void AllPatchesTest::pickSetsLabelAndSelection()
{
    QFETCH(QString, name);
    QFETCH(QString, writeLine);
    QFETCH(quint32, attributes);
    WorkingFolder folder;
    FreshRun run;
    putFile(folder, name);
    putFile(folder, QStringLiteral("zzz other.vkp"));
    if (!giveAttributes(folder.path("data/All Patches/" + name), attributes))
        QSKIP("This file system does not hold the file's attributes");
    AllPatchesWindow *form6 = openAllPatches();
    if (writeLine.isEmpty()) {   // left out
        QCOMPARE(listed(form6), QStringList{QStringLiteral("zzz other.vkp")});
        return;
    }

    pick(form6, name);
    QCOMPARE(labelText(form6), QStringLiteral("Install: ") + name);
    QLabel *label = control<QLabel>(form6, QStringLiteral("Label1"));
    QVERIFY(label->width() >= label->sizeHint().width());   // grows with its text
    QCOMPARE(form6->patchPath, std::optional<QString>(QStringLiteral("data\\All Patches\\") + name));
    QCOMPARE(highlighted(form6), QStringList{name});

    click(form6, QStringLiteral("Command2"));
    click(form6, QStringLiteral("Command4"));
    QCOMPARE(run.startedLines, (QStringList{writeLine, undoHead + "data\\All Patches\\" + name}));
    QVERIFY(run.messages.isEmpty());
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form6")});
}

void AllPatchesTest::laterPicksReplaceEarlierOnes_data()
{
    QTest::addColumn<int>("action");   // what takes away no highlight and is no pick
    QTest::newRow("a click beside the entries") << 0;
    QTest::newRow("Ctrl with a click") << 1;
    QTest::newRow("Ctrl+Space") << 2;
}

void AllPatchesTest::laterPicksReplaceEarlierOnes()
{
    QFETCH(int, action);
    WorkingFolder folder;
    FreshRun run;
    for (const char *name : {"a.vkp", "b.vkp", "c.vkp"})
        putFile(folder, QString::fromLatin1(name));
    AllPatchesWindow *form6 = openAllPatches();

    pick(form6, QStringLiteral("a.vkp"));
    pick(form6, QStringLiteral("c.vkp"));
    QCOMPARE(labelText(form6), QStringLiteral("Install: c.vkp"));
    QCOMPARE(form6->patchPath, std::optional<QString>(QStringLiteral("data\\All Patches\\c.vkp")));

    // A keyboard move of the highlight is a pick too.
    QTest::keyClick(fileList(form6), Qt::Key_Up);
    QCOMPARE(labelText(form6), QStringLiteral("Install: b.vkp"));
    QCOMPARE(form6->patchPath, std::optional<QString>(QStringLiteral("data\\All Patches\\b.vkp")));

    click(form6, QStringLiteral("Command2"));
    QCOMPARE(run.startedLines, QStringList{writeHead + "data\\All Patches\\b.vkp"});

    // Neither with the file selected nor after "Back", where it would select it again.
    QListWidget *list = fileList(form6);
    for (const bool selected : {true, false}) {
        if (action == 0)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->viewport()->height() - 5));
        else if (action == 1)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualItemRect(list->item(1)).center());
        else
            QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(highlighted(form6), QStringList{QStringLiteral("b.vkp")});
        QCOMPARE(labelText(form6), QStringLiteral("Install: b.vkp"));
        QCOMPARE(form6->patchPath.has_value(), selected);
        click(form6, QStringLiteral("Command1"));
        openAllPatches();
    }
}

void AllPatchesTest::backKeepsLabelHighlightAndScrollButNotSelection()
{
    WorkingFolder folder;
    FreshRun run;
    for (int i = 0; i < 300; ++i)
        putFile(folder, QStringLiteral("patch %1.vkp").arg(i, 3, 10, QLatin1Char('0')));
    AllPatchesWindow *form6 = openAllPatches();
    QListWidget *list = fileList(form6);

    pick(form6, QStringLiteral("patch 250.vkp"));
    const int scrolled = list->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);

    click(form6, QStringLiteral("Command1"));
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form1")});
    QVERIFY(!form6->patchPath.has_value());

    QCOMPARE(openAllPatches(), form6);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form6")});
    QCOMPARE(labelText(form6), QStringLiteral("Install: patch 250.vkp"));
    QCOMPARE(highlighted(form6), QStringList{QStringLiteral("patch 250.vkp")});
    QCOMPARE(list->verticalScrollBar()->value(), scrolled);
    QVERIFY(!form6->patchPath.has_value());

    press(form6, QStringLiteral("Command2"), Qt::Key_Return);
    press(form6, QStringLiteral("Command4"), Qt::Key_Enter);
    QCOMPARE(run.messages, (QStringList{"You must select patch", "You must select patch"}));
    QVERIFY(run.startedLines.isEmpty());

    // A click on the entry that is still highlighted selects it again.
    pick(form6, QStringLiteral("patch 250.vkp"));
    QCOMPARE(form6->patchPath, std::optional<QString>(QStringLiteral("data\\All Patches\\patch 250.vkp")));
}

void AllPatchesTest::unreadableFolderOpensEmptyAndSaysWhy_data()
{
    QTest::addColumn<bool>("fileInItsPlace");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << false << "Cannot read the folder data\\All Patches\\: it does not exist";
    QTest::newRow("a file in its place") << true << "Cannot read the folder data\\All Patches\\: it is not a folder";
}

void AllPatchesTest::unreadableFolderOpensEmptyAndSaysWhy()
{
    QFETCH(bool, fileInItsPlace);
    QFETCH(QString, message);
    WorkingFolder folder;
    FreshRun run;
    QVERIFY(QDir(folder.path(QStringLiteral("data/All Patches"))).removeRecursively());
    if (fileInItsPlace) {
        QFile file(folder.path(QStringLiteral("data/All Patches")));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    AllPatchesWindow *form6 = openAllPatches();
    QVERIFY(form6);
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form6")});
    QCOMPARE(fileList(form6)->count(), 0);
    QVERIFY(!form6->patchPath.has_value());
    QTRY_COMPARE(run.messages, QStringList{message});

    click(form6, QStringLiteral("Command2"));
    QCOMPARE(run.messages, (QStringList{message, "You must select patch"}));
    QVERIFY(run.startedLines.isEmpty());

    // Told once: the folder is not read again at later openings.
    click(form6, QStringLiteral("Command1"));
    openAllPatches();
    QTest::qWait(20);
    QCOMPARE(run.messages.size(), 2);
}

void AllPatchesTest::emptyFolderOffersNothing()
{
    WorkingFolder folder;
    FreshRun run;
    AllPatchesWindow *form6 = openAllPatches();
    QCOMPARE(fileList(form6)->count(), 0);
    QTest::mouseClick(fileList(form6)->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QTest::keyClick(fileList(form6), Qt::Key_Down);
    QVERIFY(!form6->patchPath.has_value());
    QCOMPARE(labelText(form6), QString());

    click(form6, QStringLiteral("Command2"));
    click(form6, QStringLiteral("Command4"));
    QTest::qWait(20);
    QCOMPARE(run.messages, (QStringList{"You must select patch", "You must select patch"}));
    QVERIFY(run.startedLines.isEmpty());
}

QTEST_MAIN(AllPatchesTest)
#include "tst_allpatches.moc"
