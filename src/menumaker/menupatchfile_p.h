#pragma once

// The steps of writing the menu patch file that differ between systems. The order
// of Save's steps is in menupatchfile.cpp; each system's part is in
// menupatchfile_unix.cpp or menupatchfile_win.cpp.

#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class QFile;

namespace MenuPatchFile::Platform {

// The file that a save path names, its links followed.
struct Target {
    QString path;     // with every link resolved; the path itself for a new file
    QString error;    // why nothing may be written there
#ifdef Q_OS_UNIX
    struct stat status{};
#endif
};

// Resolves the path's links. A link that cannot be resolved is an error; a path
// to nothing is a new file.
Target resolve(const QString &path);

// What kind of node, other than a regular file or a folder, the target is, as
// "a FIFO"; empty where the system does not tell.
QString specialKind(const Target &target);

// Whether an existing file may be replaced through a temporary file at all: only
// where the result can be the same file as before.
bool mayReplace(const Target &target);

// Gives the temporary file at `handle` everything of the existing file that the
// replacement must keep, and says whether it has it all now.
bool takeOver(int handle, const Target &target);

// Opens an existing file for writing over it, neither reading it nor emptying it;
// the system's reason when it cannot.
QString openForOverwrite(QFile &file, const QString &path);

// Why the file may not grow to `size` bytes; empty when it may.
QString sizeLimitReason(qint64 size);

} // namespace MenuPatchFile::Platform
