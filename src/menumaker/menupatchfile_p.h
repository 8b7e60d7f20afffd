#pragma once

// The steps of writing the menu patch file that differ between systems. The order
// of Save's steps is in menupatchfile.cpp; each system's part is in
// menupatchfile_unix.cpp or menupatchfile_win.cpp.

#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <optional>

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

// Gives the still empty temporary file at `handle` the existing file's flags, as
// some take effect only on an empty file, and says whether it has them now.
bool takeFlags(int handle, const Target &target);

// Gives the temporary file at `handle` everything else of the existing file that
// the replacement must keep, and says whether it has it all now, flags included.
// Called after the last byte, as a write drops set-ID bits and a capability.
bool takeOver(int handle, const Target &target);

// Has the disk take the bytes and attributes of the file at `handle`; the
// system's reason when it could not. A file system that cannot sync a file at
// all is no reason.
QString sync(int handle);

// What a write over a file drops and its owner may give back: set-ID bits and a
// file capability.
struct Privileges {
#ifdef Q_OS_UNIX
    std::optional<mode_t> mode;
    std::optional<QByteArray> capability;
#endif
};

Privileges privilegesOf(int handle);

// Gives them back where the write dropped them and the system lets the user.
void restorePrivileges(int handle, const Privileges &privileges);

// Opens an existing file for writing over it, neither reading it nor emptying it;
// the system's reason when it cannot.
QString openForOverwrite(QFile &file, const QString &path);

// Why the file may not grow to `size` bytes; empty when it may.
QString sizeLimitReason(qint64 size);

} // namespace MenuPatchFile::Platform
