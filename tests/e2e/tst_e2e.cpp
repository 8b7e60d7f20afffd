// The whole program as a user meets it: the built pikvart runs under a real X
// server (Xvfb) in a fresh working folder whose data/v_klay.exe writes down every
// word it is started with. The test clicks and types through xdotool at the places
// that the window layouts give in twips (15 twips to the pixel, measured from the
// client area, which on the main window lies below the menu bar). It knows nothing
// of the program's insides: only window captions, client sizes and control places.
//
// With PIKVART_E2E_WINDOWS set to the folder of the unpacked Windows zip and
// PIKVART_E2E_FLASHER to the Windows stand-in that records its raw command line,
// the same test drives the Windows program under Wine instead, and compares each
// flasher line whole, blank for blank.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <optional>

#include <sys/resource.h>
#include <unistd.h>

#include "../samplepatch.h"
#include "../starveddisk.h"

namespace {

const QString mainCaption = QStringLiteral("Pikvart by Lumbard");
const QString makerCaption = QStringLiteral("GFX Menu Maker");
const QString messageCaption = QStringLiteral("Project1");

// Client areas in pixels; the main window's lies below a menu bar of the toolkit's height.
const QSize mainClient(310, 197);
const QSize patchClient(310, 334);
const QSize makerClient(379, 337);

// A control's place in twips, as the layouts give it.
struct Twips
{
    int left, top, width, height;
    QPoint centre() const { return QPoint((left + width / 2) / 15, (top + height / 2) / 15); }
};

namespace MainWindow {
const Twips gfxMenu{0, 120, 1455, 615};
const Twips allPatches{3120, 840, 1455, 615};
const Twips exitButton{1560, 2280, 1455, 615};
const Twips menuMaker{1560, 1560, 1455, 615};
const Twips com2{3960, 2040, 615, 255};
// "English gfx" (120, 1320, 1215 x 255), clicked on its round box at the left end.
const Twips englishGfx{120, 1320, 255, 255};
} // namespace MainWindow

namespace PatchWindow {
const Twips apply{720, 3720, 1455, 495};
const Twips undo{2400, 3720, 1455, 495};
const Twips exitButton{2400, 4320, 1455, 495};
const Twips czechTopMiddle{1560, 0, 1515, 1200};   // Form5's p1, "data\MHaskoly.vkp"
const Twips englishLowerLeft{0, 1320, 1515, 1200};  // Form2's p4
// The first row of the file list `File1` (0, 0, 4575 x 3015), which fills the window's top.
const Twips firstListedFile{0, 0, 4575, 300};
} // namespace PatchWindow

namespace MenuMaker {
Twips slot(int n) { return Twips{120, 600 + 360 * (n - 1), 3015, 315}; }
// "Right soft key" (3360, 720, 1695 x 255), clicked on its tick box at the left end.
const Twips rightSoftKeyBox{3360, 720, 240, 255};
const Twips make{3240, 2760, 1095, 495};
const Twips save{4440, 2760, 1095, 495};
const Twips savePath{600, 120, 4335, 375};
const Twips exitButton{4440, 3360, 1095, 495};
} // namespace MenuMaker

QStringList flasherWords(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The Windows program under Wine, when the environment names it.
struct WindowsRun
{
    QString folder = qEnvironmentVariable("PIKVART_E2E_WINDOWS");
    QString flasher = qEnvironmentVariable("PIKVART_E2E_FLASHER");
    bool active() const { return !folder.isEmpty(); }
};

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir source(from), target(to);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString copy = target.filePath(source.relativeFilePath(path));
        const bool done = it.fileInfo().isDir() ? QDir().mkpath(copy) : QFile::copy(path, copy);
        if (!done)
            return false;
    }
    return true;
}

// A path as a Windows program under Wine names it: drive Z: is the Linux root.
QString winePath(const QString &path)
{
    QString windows = path;
    return QStringLiteral("Z:") + windows.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

// One run of a helper program; a hung helper is killed at its deadline.
struct Outcome
{
    bool finished = false;
    int exitCode = -1;
    QString output;
};

} // namespace

class EndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void applyAndUndoSendTheCzechPatchOnCom2();
    void leadingBlanksAndLetterCaseReachTheFlasher();
    void applyWithoutSelectionShowsTheMessageAndStartsNothing();
    void allPatchesSendsAFileNameWithBlanks();
    void menuMakerSavesTheMenuPatchAndEnds_data();
    void menuMakerSavesTheMenuPatchAndEnds();
    void exitAndCloseBoxEndTheProgram_data();
    void exitAndCloseBoxEndTheProgram();

private:
    Outcome runTool(const QString &program, const QStringList &arguments, int timeoutMs = 10000);
    Outcome xdotool(const QStringList &arguments, int timeoutMs = 10000);
    // The attribute letters that Windows gives the file, as "A    H".
    QString windowsAttributes(const QString &path);

    void startProgram();
    bool waitForProgramEnd(int timeoutMs = 10000);
    // Waits for a message box while the program runs; false when none shows or the program ends.
    bool waitForMessageBox(int timeoutMs = 10000);
    QString programDiagnostics();
    QStringList visibleWindows(const QString &caption);
    QRect geometryOf(const QString &window);
    // The visible window with this caption whose client area has this size
    // (the main window's is taller by its menu bar); empty on timeout.
    QString waitForWindow(const QString &caption, QSize client, int timeoutMs = 10000);
    // Waits until no window with this caption is visible, or only until the given one is not.
    bool waitUntilGone(const QString &caption, const QString &window = {}, int timeoutMs = 10000);
    void clickAt(const QString &window, const Twips &control);
    void key(const QStringList &keys);
    QList<QStringList> recordedCalls();
    // Call `index` was the flasher started with `line`: word for word on Linux,
    // where the program start splits the line; the raw line itself, and the
    // window it was started in, on Windows.
    void expectCall(int index, const QString &line);
    bool waitForCalls(int count, int timeoutMs = 10000);
    void closeRequest(const QString &window);

    QString openMainWindow();
    QString openCzechPage();

    QProcess m_xserver;
    QString m_display;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QProcess> m_program;
    QHash<QString, QSize> m_clientOf;   // window id -> client size it was found with
    WindowsRun m_windows;
    rlim_t m_sizeLimit = RLIM_INFINITY;   // the most a file of the program may hold
};

Outcome EndToEndTest::runTool(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Outcome outcome;
    if (!process.waitForStarted(5000))
        return outcome;
    outcome.finished = process.waitForFinished(timeoutMs);
    if (!outcome.finished) {
        process.kill();
        process.waitForFinished(2000);
        return outcome;
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.output = QString::fromLocal8Bit(process.readAll());
    return outcome;
}

QString EndToEndTest::windowsAttributes(const QString &path)
{
    // attrib prints the letters of the attributes, then the path.
    const Outcome shown = runTool(QStringLiteral("wine"), {QStringLiteral("attrib"), winePath(path)});
    return shown.output.left(shown.output.indexOf(QStringLiteral("Z:")));
}

Outcome EndToEndTest::xdotool(const QStringList &arguments, int timeoutMs)
{
    return runTool(QStringLiteral("xdotool"), arguments, timeoutMs);
}

void EndToEndTest::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        QSKIP("Xvfb is not installed, so no X server can be started (scripts/setup.sh installs xvfb)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is not installed (scripts/setup.sh installs it)");
    if (m_windows.active()) {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty(), "wine is not installed");
        QVERIFY2(QFileInfo::exists(m_windows.folder + QStringLiteral("/pikvart.exe")), qPrintable(m_windows.folder));
        QVERIFY2(QFileInfo::exists(m_windows.flasher), qPrintable(m_windows.flasher));
    } else {
        QVERIFY2(QFileInfo(QStringLiteral(PIKVART_PROGRAM)).isExecutable(), PIKVART_PROGRAM);
    }

    // Xvfb picks a free display number itself and writes it to -displayfd once it takes clients.
    m_xserver.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp")});
    if (!m_xserver.waitForStarted(5000))
        QSKIP("Xvfb cannot be started, so there is no X server to run the program in");
    QDeadlineTimer deadline(15000);
    QByteArray number;
    while (!number.endsWith('\n') && !deadline.hasExpired() && m_xserver.state() == QProcess::Running) {
        m_xserver.waitForReadyRead(250);
        number += m_xserver.readAllStandardOutput();
    }
    if (!number.trimmed().toInt() && number.trimmed() != "0") {
        const QByteArray errors = m_xserver.readAllStandardError();
        m_xserver.kill();
        m_xserver.waitForFinished(2000);
        QSKIP(qPrintable(QStringLiteral("Xvfb did not come up: ") + QString::fromLocal8Bit(errors)));
    }
    m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
}

void EndToEndTest::cleanup()
{
    m_sizeLimit = RLIM_INFINITY;
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished(5000);
    }
    m_program.reset();
    m_folder.reset();
    m_clientOf.clear();
}

void EndToEndTest::cleanupTestCase()
{
    cleanup();
    if (m_xserver.state() != QProcess::NotRunning) {
        m_xserver.terminate();
        if (!m_xserver.waitForFinished(5000)) {
            m_xserver.kill();
            m_xserver.waitForFinished(2000);
        }
    }
}

void EndToEndTest::startProgram()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    const QDir folder(m_folder->path());
    // On Windows the working folder is the unpacked zip itself, the program beside data\.
    if (m_windows.active())
        QVERIFY(copyTree(m_windows.folder, folder.path()));
    QVERIFY(folder.mkpath(QStringLiteral("data/All Patches")));
    const QString recorder = m_windows.active() ? m_windows.flasher : QStringLiteral(E2E_RECORDER);
    QVERIFY(QFile::copy(recorder, folder.filePath(QStringLiteral("data/v_klay.exe"))));
    QFile patch(folder.filePath(QStringLiteral("data/All Patches/My logo patch.vkp")));
    QVERIFY(patch.open(QIODevice::WriteOnly));
    patch.write("27D4DC: FFFFFF 3C40DB\r\n");
    patch.close();
    // Sub-folders are not listed, so the one file is the list's first row.
    QVERIFY(folder.mkpath(QStringLiteral("data/All Patches/Old")));

    m_program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_program->setProcessEnvironment(environment);
    m_program->setWorkingDirectory(m_folder->path());
    m_program->setChildProcessModifier([limit = m_sizeLimit] {
        const rlimit fileSize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    if (m_windows.active())
        m_program->start(QStringLiteral("wine"), {folder.filePath(QStringLiteral("pikvart.exe"))});
    else
        m_program->start(QStringLiteral(PIKVART_PROGRAM), {});
    QVERIFY2(m_program->waitForStarted(5000), qPrintable(m_program->errorString()));
}

bool EndToEndTest::waitForProgramEnd(int timeoutMs)
{
    return m_program->state() == QProcess::NotRunning || m_program->waitForFinished(timeoutMs);
}

bool EndToEndTest::waitForMessageBox(int timeoutMs)
{
    // Measured by the clock: each look at the windows takes a helper program's time.
    QDeadlineTimer deadline(timeoutMs);
    while (visibleWindows(messageCaption).isEmpty()) {
        if (deadline.hasExpired() || m_program->waitForFinished(100))
            return false;
    }
    return true;
}

QString EndToEndTest::programDiagnostics()
{
    if (!m_program)
        return {};
    return QStringLiteral("program state %1, its output: %2")
        .arg(m_program->state())
        .arg(QString::fromLocal8Bit(m_program->readAllStandardError() + m_program->readAllStandardOutput()));
}

QStringList EndToEndTest::visibleWindows(const QString &caption)
{
    // A window that goes away during the search, as a flasher's console window
    // does, ends it with an X error: then the search is made again.
    Outcome found;
    for (int attempt = 0; attempt < 5 && (attempt == 0 || found.output.contains(QLatin1String("X Error"))); ++attempt)
        found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                         QLatin1Char('^') + QRegularExpression::escape(caption) + QLatin1Char('$')});
    return found.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QRect EndToEndTest::geometryOf(const QString &window)
{
    // Without a window manager a top-level window is a child of the root, so
    // its position is on the screen and its size is its client area.
    const Outcome shell = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    QHash<QString, int> values;
    for (const QString &line : shell.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            values.insert(line.left(equals), line.mid(equals + 1).toInt());
    }
    return QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                 values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
}

QString EndToEndTest::waitForWindow(const QString &caption, QSize client, int timeoutMs)
{
    const bool belowMenuBar = client == mainClient;
    QDeadlineTimer deadline(timeoutMs);
    do {
        for (const QString &window : visibleWindows(caption)) {
            const QSize size = geometryOf(window).size();
            const bool fits = belowMenuBar ? size.width() == client.width() && size.height() > client.height()
                                           : size == client;
            if (fits) {
                m_clientOf.insert(window, client);
                return window;
            }
        }
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return {};
}

bool EndToEndTest::waitUntilGone(const QString &caption, const QString &window, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    const auto shown = [&] {
        const QStringList visible = visibleWindows(caption);
        return window.isEmpty() ? !visible.isEmpty() : visible.contains(window);
    };
    while (shown()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

void EndToEndTest::clickAt(const QString &window, const Twips &control)
{
    const QRect frame = geometryOf(window);
    const QSize client = m_clientOf.value(window);
    // The client area ends at the window's bottom edge; a menu bar takes what lies above it.
    const int menuBar = frame.height() - client.height();
    const QPoint at = frame.topLeft() + QPoint(0, menuBar) + control.centre();
    const Outcome done = xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                  QStringLiteral("click"), QStringLiteral("1")});
    QVERIFY2(done.finished && done.exitCode == 0, qPrintable(done.output));
}

void EndToEndTest::key(const QStringList &keys)
{
    const Outcome done = xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")} + keys);
    QVERIFY2(done.finished && done.exitCode == 0, qPrintable(done.output));
}

QList<QStringList> EndToEndTest::recordedCalls()
{
    QFile log(QDir(m_folder->path()).filePath(QStringLiteral("data/calls.txt")));
    QList<QStringList> calls;
    if (!log.open(QIODevice::ReadOnly))
        return calls;
    QStringList current;
    bool inside = false;
    for (const QString &line : QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'))) {
        if (line == QLatin1String("#call")) {
            current.clear();
            inside = true;
        } else if (line == QLatin1String("#end") && inside) {
            calls << current;
            inside = false;
        } else if (inside) {
            current << line;
        }
    }
    return calls;
}

bool EndToEndTest::waitForCalls(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (recordedCalls().size() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

void EndToEndTest::expectCall(int index, const QString &line)
{
    const QList<QStringList> calls = recordedCalls();
    QVERIFY2(index < calls.size(), qPrintable(QStringLiteral("no call %1").arg(index + 1)));
    const QStringList call = calls.at(index);
    if (m_windows.active()) {
        // Started in a normal window with focus (SW_SHOWNORMAL), with a console
        // window of its own, as a console flasher needs, which its output reaches.
        QCOMPARE(call, (QStringList{line, QStringLiteral("show=1 console=yes stdout=console")}));
        return;
    }
    QCOMPARE(call.mid(1), flasherWords(line).mid(1));
    // The program word, whatever its letter case, reaches the one flasher of the folder.
    const QString flasher = QFileInfo(QDir(m_folder->path()).filePath(QStringLiteral("data/v_klay.exe"))).canonicalFilePath();
    QCOMPARE(QFileInfo(call.at(0)).canonicalFilePath(), flasher);
}

void EndToEndTest::closeRequest(const QString &window)
{
    const Outcome sent = runTool(QStringLiteral(E2E_CLOSEREQUEST), {window});
    QVERIFY2(sent.finished && sent.exitCode == 0, qPrintable(sent.output));
}

QString EndToEndTest::openMainWindow()
{
    startProgram();
    if (QTest::currentTestFailed())
        return {};
    // The first search waits for the program to map its window at all.
    const Outcome first = xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--name"), mainCaption},
                                  30000);
    if (!first.finished)
        return {};
    return waitForWindow(mainCaption, mainClient);
}

QString EndToEndTest::openCzechPage()
{
    const QString main = openMainWindow();
    if (main.isEmpty())
        return {};
    clickAt(main, MainWindow::gfxMenu);
    const QString czech = waitForWindow(mainCaption, patchClient);
    // "Gfx MENU" hides the main window once the catalogue shows.
    return !czech.isEmpty() && waitUntilGone(mainCaption, main) ? czech : QString();
}

void EndToEndTest::applyAndUndoSendTheCzechPatchOnCom2()
{
    const QString main = openMainWindow();
    QVERIFY2(!main.isEmpty(), qPrintable(programDiagnostics()));
    clickAt(main, MainWindow::com2);
    clickAt(main, MainWindow::gfxMenu);
    const QString czech = waitForWindow(mainCaption, patchClient);
    QVERIFY2(!czech.isEmpty(), "Gfx MENU did not show the Czech menus");
    QVERIFY2(waitUntilGone(mainCaption, main), "Gfx MENU left the main window shown");

    clickAt(czech, PatchWindow::czechTopMiddle);
    clickAt(czech, PatchWindow::apply);
    QVERIFY2(waitForCalls(1), "Apply started no flasher");
    clickAt(czech, PatchWindow::undo);
    QVERIFY2(waitForCalls(2), "Undo started no flasher");

    QCOMPARE(recordedCalls().size(), 2);
    expectCall(0, QStringLiteral(
        "data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /wr=1 /qu=1 data\\MHaskoly.vkp"));
    expectCall(1, QStringLiteral(
        "data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /rd=1 /qu=1 data\\MHaskoly.vkp"));

    // The window stays, and "Exit" there ends the program cleanly.
    QVERIFY(visibleWindows(mainCaption).contains(czech));
    clickAt(czech, PatchWindow::exitButton);
    QVERIFY2(waitForProgramEnd(), "Exit did not end the program");
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);
    QCOMPARE(recordedCalls().size(), 2);
}

void EndToEndTest::leadingBlanksAndLetterCaseReachTheFlasher()
{
    const QString main = openMainWindow();
    QVERIFY2(!main.isEmpty(), qPrintable(programDiagnostics()));
    clickAt(main, MainWindow::englishGfx);
    clickAt(main, MainWindow::com2);
    clickAt(main, MainWindow::gfxMenu);
    const QString english = waitForWindow(mainCaption, patchClient);
    QVERIFY2(!english.isEmpty(), "Gfx MENU did not show the English menus");

    // "  data\MGFX menu 2 by Orsanel.VKP": two leading blanks, an upper-case extension.
    clickAt(english, PatchWindow::englishLowerLeft);
    clickAt(english, PatchWindow::apply);
    QVERIFY2(waitForCalls(1), "Apply started no flasher");
    clickAt(english, PatchWindow::undo);
    QVERIFY2(waitForCalls(2), "Undo started no flasher");
    expectCall(0, QStringLiteral("data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /wr=1 /qu=1"
                                 "   data\\MGFX menu 2 by Orsanel.VKP"));
    expectCall(1, QStringLiteral("data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM2 /pbaud=115200 /warn=0 /rd=1 /qu=1"
                                 "   data\\MGFX menu 2 by Orsanel.VKP"));

    clickAt(english, PatchWindow::exitButton);
    QVERIFY2(waitForProgramEnd(), "Exit did not end the program");
    QCOMPARE(m_program->exitCode(), 0);
}

void EndToEndTest::applyWithoutSelectionShowsTheMessageAndStartsNothing()
{
    const QString czech = openCzechPage();
    QVERIFY2(!czech.isEmpty(), qPrintable(programDiagnostics()));

    clickAt(czech, PatchWindow::apply);
    QVERIFY2(waitForMessageBox(), "Apply without a selection showed no message");
    // The box takes the keyboard focus; Return presses its OK button.
    key({QStringLiteral("Return")});
    QVERIFY2(waitUntilGone(messageCaption), "Return did not close the message box");

    QThread::msleep(500);
    QVERIFY2(recordedCalls().isEmpty(), "a flasher was started without a selection");
    QVERIFY(m_program->state() == QProcess::Running);
    QVERIFY(visibleWindows(mainCaption).contains(czech));

    clickAt(czech, PatchWindow::exitButton);
    QVERIFY(waitForProgramEnd());
    QCOMPARE(m_program->exitCode(), 0);
}

void EndToEndTest::allPatchesSendsAFileNameWithBlanks()
{
    const QString main = openMainWindow();
    QVERIFY2(!main.isEmpty(), qPrintable(programDiagnostics()));
    clickAt(main, MainWindow::allPatches);
    const QString allPatches = waitForWindow(mainCaption, patchClient);
    QVERIFY2(!allPatches.isEmpty(), "All Patches did not show");

    clickAt(allPatches, PatchWindow::firstListedFile);
    clickAt(allPatches, PatchWindow::apply);
    QVERIFY2(waitForCalls(1), "Apply started no flasher");
    QCOMPARE(recordedCalls().size(), 1);
    expectCall(0, QStringLiteral("data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM1 /pbaud=115200 /warn=0 /wr=1 "
                                 "/qu=1 data\\All Patches\\My logo patch.vkp"));

    clickAt(allPatches, PatchWindow::exitButton);
    QVERIFY(waitForProgramEnd());
    QCOMPARE(m_program->exitCode(), 0);
}

void EndToEndTest::menuMakerSavesTheMenuPatchAndEnds_data()
{
    QTest::addColumn<int>("sizeLimit");   // 0: none
    QTest::addColumn<QString>("patch");   // what is there: "", "hidden, second link" or "empty"
    QTest::addColumn<bool>("starved");    // on a disk that cannot take new bytes
    QTest::newRow("saved") << 0 << "" << false;
    QTest::newRow("over a file-size limit") << 1000 << "" << false;
    QTest::newRow("over a hidden patch with a second link") << 0 << "hidden, second link" << false;
    QTest::newRow("a disk that cannot take the bytes, new file") << 0 << "" << true;
    QTest::newRow("a disk that cannot take the bytes, empty patch") << 0 << "empty" << true;
}

void EndToEndTest::menuMakerSavesTheMenuPatchAndEnds()
{
    QFETCH(int, sizeLimit);
    QFETCH(QString, patch);
    QFETCH(bool, starved);
    if (sizeLimit > 0 && m_windows.active())
        QSKIP("File-size limits are set on POSIX systems");
    const bool overHiddenPatch = patch == QLatin1String("hidden, second link");
    m_sizeLimit = sizeLimit > 0 ? rlim_t(sizeLimit) : RLIM_INFINITY;
    const QString main = openMainWindow();
    QVERIFY2(!main.isEmpty(), qPrintable(programDiagnostics()));
    clickAt(main, MainWindow::menuMaker);
    const QString maker = waitForWindow(makerCaption, makerClient);
    QVERIFY2(!maker.isEmpty(), "Gfx Menu Maker did not show");

    // Each slot: a click into its edit field gives it the focus; Escape closes a
    // list that might have dropped down; each Down moves one entry on from none.
    for (int n = 1; n <= 12; ++n) {
        clickAt(maker, MenuMaker::slot(n));
        QStringList keys{QStringLiteral("Escape")};
        for (int step = 0; step <= SamplePatch::entries[n - 1]; ++step)
            keys << QStringLiteral("Down");
        key(keys);
    }
    clickAt(maker, MenuMaker::rightSoftKeyBox);

    std::optional<StarvedDisk> disk;
    if (const QString made = starved ? disk.emplace(m_folder->path()).step("make") : QString(); !made.isEmpty())
        QSKIP(qPrintable(QStringLiteral("No disk of the test's own (it needs root): ") + made));
    const QDir savedFolder(disk ? disk->folder() : QDir(m_folder->path()).filePath(QStringLiteral("saved menu")));
    const QString savedFile = savedFolder.filePath(QStringLiteral("Gfx.vkp"));
    QVERIFY(QDir().mkpath(savedFolder.path()));
    const QString secondName = savedFolder.filePath(QStringLiteral("second.vkp"));
    if (!patch.isEmpty()) {
        QFile file(savedFile);
        const QByteArray old = overHiddenPatch ? QByteArray(3000, 'z') : QByteArray();
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    }
    if (disk)
        QCOMPARE(disk->step("starve"), QString());
    if (overHiddenPatch) {
        QVERIFY(link(QFile::encodeName(savedFile).constData(), QFile::encodeName(secondName).constData()) == 0);
        if (m_windows.active()) {
            const Outcome hidden = runTool(QStringLiteral("wine"), {QStringLiteral("attrib"), QStringLiteral("+h"), winePath(savedFile)});
            QVERIFY2(hidden.finished && hidden.exitCode == 0 && windowsAttributes(savedFile).contains(QLatin1Char('H')),
                     qPrintable(hidden.output));
        }
    }
    clickAt(maker, MenuMaker::savePath);
    key({QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")});
    // The Windows program gets a Windows path: drive letter and backslashes.
    const QString typedPath = m_windows.active() ? winePath(savedFile) : savedFile;
    const Outcome typed = xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), typedPath});
    QVERIFY(typed.finished && typed.exitCode == 0);

    clickAt(maker, MenuMaker::make);
    QThread::msleep(300);
    QVERIFY2(visibleWindows(messageCaption).isEmpty(), "Make complained: a slot or the key was not chosen");
    clickAt(maker, MenuMaker::save);
    const bool fails = sizeLimit > 0 || starved;
    if (fails) {
        // The limit or the disk ends in a message, not in the end of the program.
        QVERIFY2(waitForMessageBox(), "Save that could not write showed no message or ended the program");
        key({QStringLiteral("Return")});
        QVERIFY2(waitUntilGone(messageCaption), "Return did not close the message box");
        clickAt(maker, MenuMaker::exitButton);
    }
    QVERIFY2(waitForProgramEnd(), "Save did not end the program");
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);

    if (fails) {
        // No new file, and an old one as it was on the disk.
        if (disk)
            QCOMPARE(disk->step("remount"), QString());
        QCOMPARE(savedFolder.entryList(QDir::Files | QDir::Hidden), patch.isEmpty() ? QStringList() : QStringList{"Gfx.vkp"});
        QCOMPARE(QFileInfo(savedFile).size(), 0);
        return;
    }
    QFile saved(savedFile);
    QVERIFY2(saved.open(QIODevice::ReadOnly), qPrintable(savedFile));
    const QByteArray bytes = saved.readAll();
    const QByteArray expected = SamplePatch::bytes();
    QCOMPARE(expected.size(), 1961);
    qsizetype differsAt = 0;
    while (differsAt < qMin(bytes.size(), expected.size()) && bytes.at(differsAt) == expected.at(differsAt))
        ++differsAt;
    QVERIFY2(bytes == expected,
             qPrintable(QStringLiteral("%1 bytes saved, %2 expected; first difference at byte %3: saved \"%4\", expected \"%5\"")
                            .arg(bytes.size()).arg(expected.size()).arg(differsAt)
                            .arg(QString::fromLatin1(bytes.mid(differsAt, 24).toPercentEncoding(" :")),
                                 QString::fromLatin1(expected.mid(differsAt, 24).toPercentEncoding(" :")))));
    QVERIFY(recordedCalls().isEmpty());
    if (overHiddenPatch) {
        // Still the same file: it stays hidden, and the other name shows the new text.
        if (m_windows.active())
            QVERIFY2(windowsAttributes(savedFile).contains(QLatin1Char('H')), qPrintable(windowsAttributes(savedFile)));
        QFile second(secondName);
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), expected);
    }
}

void EndToEndTest::exitAndCloseBoxEndTheProgram_data()
{
    QTest::addColumn<bool>("fromCzechPage");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("main window, Exit") << false << false;
    QTest::newRow("main window, close box") << false << true;
    QTest::newRow("catalogue window, close box") << true << true;
}

void EndToEndTest::exitAndCloseBoxEndTheProgram()
{
    QFETCH(bool, fromCzechPage);
    QFETCH(bool, closeBox);

    const QString window = fromCzechPage ? openCzechPage() : openMainWindow();
    QVERIFY2(!window.isEmpty(), qPrintable(programDiagnostics()));
    if (closeBox)
        closeRequest(window);
    else
        clickAt(window, MainWindow::exitButton);
    QVERIFY2(waitForProgramEnd(), "the program still runs");
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);
    QVERIFY(recordedCalls().isEmpty());
}

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_e2e.moc"
