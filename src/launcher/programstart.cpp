#include "programstart.h"

#include "flashercommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ProgramStart {

namespace {

Starter &currentStarter()
{
    static Starter starter;
    return starter;
}

#ifndef Q_OS_WIN
// A file that begins with "MZ" is a Windows program; on other systems it can
// only run through wine.
bool isWindowsProgram(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}
#endif

} // namespace

Outcome start(const QString &commandLine)
{
    if (currentStarter())
        return currentStarter()(commandLine);
    return startDetached(commandLine);
}

void setStarter(Starter starter) { currentStarter() = std::move(starter); }

QStringList splitWords(const QString &commandLine)
{
    static const QRegularExpression blanks(QStringLiteral(" +"));
    return commandLine.split(blanks, Qt::SkipEmptyParts);
}

// The absolute path of an existing entry of the kind asked for (QDir::Files or
// QDir::Dirs) that `word` names relative to `baseDir`, or an empty string.
static QString resolve(const QString &word, const QString &baseDir, QDir::Filter kind)
{
    QString path = word;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QDir dir(QFileInfo(path).isAbsolute() ? QStringLiteral("/") : baseDir);
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const bool last = i == parts.size() - 1;
        QString found;
        if (part == QLatin1String(".") || part == QLatin1String("..")) {
            found = part;
        } else if (dir.exists(part)) {
            found = part;
        } else {
            // Letter case is ignored, as on the file systems the flasher comes from.
            const QDir::Filters filter = (last ? kind : QDir::Dirs) | QDir::Hidden | QDir::System;
            for (const QString &entry : dir.entryList(filter | QDir::NoDotAndDotDot)) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        if (found.isEmpty())
            return {};
        if (last) {
            const QFileInfo info(dir.filePath(found));
            const bool ofKind = kind == QDir::Files ? info.isFile() : info.isDir();
            return ofKind ? info.absoluteFilePath() : QString();
        }
        if (!dir.cd(found))
            return {};
    }
    return {};
}

QString resolveProgram(const QString &word, const QString &baseDir)
{
    return resolve(word, baseDir, QDir::Files);
}

Outcome startDetached(const QString &commandLine)
{
    Outcome outcome;
    const QStringList words = splitWords(commandLine);
    if (words.isEmpty()) {
        outcome.error = QStringLiteral("The command line is empty");
        return outcome;
    }
    const QString workingDir = QDir::currentPath();
    const QString program = resolveProgram(words.first(), workingDir);
    if (program.isEmpty()) {
        outcome.error = resolve(words.first(), workingDir, QDir::Dirs).isEmpty()
                            ? QStringLiteral("No such file in %1").arg(QDir::toNativeSeparators(workingDir))
                            : QStringLiteral("It is a folder, not a program");
        return outcome;
    }

    QProcess process;
    process.setWorkingDirectory(workingDir);
#ifdef Q_OS_WIN
    // CreateProcess gets the line exactly as built (Qt would re-quote and re-space
    // it) from buffers that the modifier holds, so they outlive the call. The
    // program is named in full, so the working directory alone decides which file
    // starts. Qt hides the window of a detached child of a program without a
    // console; the flasher shows in a normal window with focus instead, in a
    // console of its own. Qt would also hand it this program's standard handles,
    // so that its progress went wherever they lead and not into its own window:
    // it gets none of them, and inherits no handle.
    process.setProgram(program);
    process.setCreateProcessArgumentsModifier(
        [application = QDir::toNativeSeparators(program).toStdWString(),
         line = commandLine.toStdWString()](QProcess::CreateProcessArguments *args) mutable {
            args->applicationName = application.c_str();
            args->arguments = line.data();
            args->flags &= ~DWORD(CREATE_NO_WINDOW);
            args->flags |= CREATE_NEW_CONSOLE;
            args->inheritHandles = false;
            STARTUPINFOW *start = args->startupInfo;
            start->dwFlags &= ~DWORD(STARTF_USESTDHANDLES);
            start->hStdInput = start->hStdOutput = start->hStdError = nullptr;
            start->dwFlags |= STARTF_USESHOWWINDOW;
            start->wShowWindow = SW_SHOWNORMAL;
        });
#else
    QStringList arguments = words.mid(1);
    QString executable = program;
    if (isWindowsProgram(program)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (wine.isEmpty()) {
            outcome.error = QStringLiteral("It is a Windows program and wine is not installed");
            return outcome;
        }
        arguments.prepend(program);
        executable = wine;
    }
    process.setProgram(executable);
    process.setArguments(arguments);
#endif
    qint64 pid = 0;
    if (!process.startDetached(&pid)) {
#ifdef Q_OS_WIN
        // QProcess says only "Process failed to start"; the system's reason is
        // still the thread's last error.
        outcome.error = qt_error_string(int(GetLastError()));
#else
        outcome.error = process.errorString();
#endif
        return outcome;
    }
    outcome.started = true;
    outcome.taskId = pid;
    return outcome;
}

} // namespace ProgramStart
