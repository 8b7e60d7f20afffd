#include "menupatchfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace MenuPatchFile {

namespace {

QString reasonOf(const QFileDevice &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("The file could not be written") : reason;
}

Outcome failed(const QString &reason)
{
    Outcome outcome;
    outcome.error = reason;
    return outcome;
}

// Writes every byte. A short write (the disk filled up, the size limit was
// reached) is followed by another one, which then fails with the system's reason.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Why a path that names something other than a regular file (links followed)
// cannot take the patch; empty when it names a regular file or nothing. Asked
// before anything is opened: opening a FIFO would wait for a reader, and the
// temporary file would replace a FIFO or a device node with a plain file.
QString notAFileReason(const QFileInfo &target)
{
    if (!target.exists() || target.isFile())
        return {};
    if (target.isDir())
        return QStringLiteral("it is a folder");
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(QFile::encodeName(target.filePath()).constData(), &status) == 0) {
        if (S_ISFIFO(status.st_mode))
            return QStringLiteral("it is a FIFO, not a regular file");
        if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
            return QStringLiteral("it is a device, not a regular file");
        if (S_ISSOCK(status.st_mode))
            return QStringLiteral("it is a socket, not a regular file");
    }
#endif
    return QStringLiteral("it is not a regular file");
}

// The file that a save path names, its links followed.
struct Target {
    QString path;     // with every link resolved; the path itself for a new file
    bool exists = false;
    QString error;    // why nothing may be written there
#ifdef Q_OS_UNIX
    struct stat status{};
#endif
};

Target targetOf(const QString &path)
{
    Target target;
    target.path = path;
#ifdef Q_OS_UNIX
    // A link that leads nowhere or round in a loop is refused: saving through it
    // would put a plain file in the link's place.
    const QByteArray native = QFile::encodeName(path);
    struct stat entry;
    if (::lstat(native.constData(), &entry) != 0) {
        if (errno != ENOENT)   // a missing file is new; a missing folder the open reports
            target.error = qt_error_string(errno);
        return target;
    }
    char *resolved = ::realpath(native.constData(), nullptr);
    if (!resolved) {
        target.error = qt_error_string(errno);
        return target;
    }
    const QByteArray resolvedNative(resolved);
    std::free(resolved);
    target.path = QFile::decodeName(resolvedNative);
    if (::stat(resolvedNative.constData(), &target.status) != 0) {
        target.error = qt_error_string(errno);
        return target;
    }
#endif
    const QFileInfo file(target.path);
    target.error = notAFileReason(file);
    target.exists = target.error.isEmpty() && file.exists();
    // No write bit for anyone: the owner has made it read-only, and that holds
    // for a user whom the rights would let through too.
    const QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (target.exists && !(file.permissions() & writeBits))
        target.error = QStringLiteral("it is read-only");
    return target;
}

#ifdef Q_OS_UNIX
// Gives the temporary file the owner, group and mode of the file it replaces, and
// says whether it has them all now: a user may not give a file away, nor set the
// group bit for a group that is not theirs, and the system drops that bit quietly.
bool takeIdentity(int handle, const struct stat &old)
{
    struct stat now;
    return ::fchown(handle, old.st_uid, old.st_gid) == 0 && ::fchmod(handle, old.st_mode & 07777) == 0
           && ::fstat(handle, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid
           && (now.st_mode & 07777) == (old.st_mode & 07777);
}

// Whether the file may grow to `size` bytes under the process's file-size limit.
bool withinSizeLimit(qint64 size)
{
    rlimit limit;
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY
           || rlim_t(size) <= limit.rlim_cur;
}
#endif

// Replaces the target through a temporary file beside it, so a failure (a full
// disk among others) leaves an existing file as it was and no new one behind.
// Nothing when an existing target could not be replaced by the same file as
// before: no temporary file may stand beside it, or it could not take the old
// owner, group and mode. The caller then writes in place.
std::optional<Outcome> replace(const Target &target, const QByteArray &bytes)
{
    QSaveFile file(target.path);
    // Unbuffered: a buffered write "succeeds" into memory, the flush at commit fails
    // on a full disk, and commit still puts the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (target.exists)
            return std::nullopt;
        return failed(reasonOf(file));
    }
#ifdef Q_OS_UNIX
    if (target.exists && !takeIdentity(file.handle(), target.status)) {
        file.cancelWriting();
        return std::nullopt;
    }
#endif
    if (!writeAll(file, bytes) || !file.flush() || file.error() != QFileDevice::NoError) {
        const Outcome outcome = failed(reasonOf(file));
        file.cancelWriting();   // the temporary file goes with `file`; the target is untouched
        return outcome;
    }
    if (!file.commit())   // commit() has already removed the temporary file
        return failed(reasonOf(file));
    return Outcome{true, {}};
}

// Writes over the file itself, not emptied on opening, so it stays the same file
// with every link, owner and mode. It grows by the new tail first, so a full disk
// stops the save while the old bytes are still whole, and the file is cut back to
// them; the other new bytes then take the room the old ones had. A size limit
// below either size is refused before anything is written.
Outcome writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failed(reasonOf(file));
    const qint64 oldSize = file.size();
#ifdef Q_OS_UNIX
    if (!withinSizeLimit(qMax(oldSize, qint64(bytes.size()))))
        return failed(qt_error_string(EFBIG));
#endif
    if (bytes.size() > oldSize && (!file.seek(oldSize) || !writeAll(file, bytes.mid(oldSize)))) {
        const Outcome outcome = failed(reasonOf(file));
        file.resize(oldSize);
        return outcome;
    }
    if (!file.seek(0) || !writeAll(file, bytes.left(oldSize)) || !file.resize(bytes.size())
        || !file.flush())
        return failed(reasonOf(file));
    return Outcome{true, {}};
}

} // namespace

QString localPath(const QString &savePath)
{
#ifdef Q_OS_WIN
    return savePath;
#else
    QString path = savePath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
#endif
}

Outcome write(const QString &savePath, const QString &text)
{
    const QString path = localPath(savePath);
    if (path.isEmpty())
        return failed(QStringLiteral("No file name given"));
    const Target target = targetOf(path);
    if (!target.error.isEmpty())
        return failed(target.error);

    const QByteArray bytes = text.toLatin1();
#ifdef Q_OS_UNIX
    // A second link would keep the old text if the file were replaced.
    const bool replaceable = !target.exists || target.status.st_nlink == 1;
#else
    const bool replaceable = true;
#endif
    if (replaceable) {
        if (const std::optional<Outcome> outcome = replace(target, bytes))
            return *outcome;
    }
    return writeInPlace(target.path, bytes);
}

void keepRunningOverSizeLimit()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace MenuPatchFile
