#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Starting the flasher from one command line, in the working directory, without
// waiting for it. Tests replace the real start with a recorder.
namespace ProgramStart {

struct Outcome {
    bool started = false;
    qint64 taskId = 0;     // the new process's id when started
    QString error;         // the system's reason when not
};

// Starts through the current starter (the real one unless a test replaced it).
Outcome start(const QString &commandLine);

using Starter = std::function<Outcome(const QString &commandLine)>;
// An empty starter restores the real one.
void setStarter(Starter starter);

// The real start. The line is split into blank-separated words (a run of blanks
// separates, no quoting); the first word is the program, resolved against the
// working directory with the backslash as a folder separator and letter case
// ignored per path component; the other words are its arguments. No shell.
Outcome startDetached(const QString &commandLine);

QStringList splitWords(const QString &commandLine);

// The absolute path of an existing file that `word` names relative to `baseDir`,
// or an empty string.
QString resolveProgram(const QString &word, const QString &baseDir);

} // namespace ProgramStart
