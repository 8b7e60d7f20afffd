// Writing the menu patch file on Linux and other POSIX systems.

#include "menupatchfile.h"
#include "menupatchfile_p.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#ifdef Q_OS_LINUX
#include <linux/fs.h>
#include <map>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#endif

namespace MenuPatchFile {

void keepRunningOverSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

namespace Platform {

namespace {

#ifdef Q_OS_LINUX
using Attributes = std::map<QByteArray, QByteArray>;

// Reads a list or a value through `read`, asking first for its size, which may
// grow before it is read.
template <typename Read>
std::optional<QByteArray> readSized(Read read)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return std::nullopt;
        QByteArray buffer(qsizetype(size), Qt::Uninitialized);
        const ssize_t got = read(buffer.data(), size_t(buffer.size()));
        if (got >= 0)
            return buffer.left(got);
        if (errno != ERANGE)
            return std::nullopt;
    }
    return std::nullopt;
}

// Every extended attribute that `list` names, with the value that `get` gives;
// nothing when one cannot be read. A file system without them has none.
template <typename List, typename Get>
std::optional<Attributes> attributesOf(List list, Get get)
{
    const std::optional<QByteArray> names = readSized(list);
    if (!names)
        return errno == ENOTSUP ? std::optional<Attributes>(Attributes{}) : std::nullopt;
    Attributes attributes;
    for (const QByteArray &name : names->split('\0')) {
        if (name.isEmpty())
            continue;
        const std::optional<QByteArray> value =
            readSized([&](char *to, size_t size) { return get(name.constData(), to, size); });
        if (!value)
            return std::nullopt;
        attributes.emplace(name, *value);
    }
    return attributes;
}

std::optional<Attributes> attributesOfFile(const QByteArray &path)
{
    return attributesOf([&](char *to, size_t size) { return ::listxattr(path.constData(), to, size); },
                        [&](const char *name, char *to, size_t size) {
                            return ::getxattr(path.constData(), name, to, size);
                        });
}

std::optional<Attributes> attributesOfHandle(int handle)
{
    return attributesOf([&](char *to, size_t size) { return ::flistxattr(handle, to, size); },
                        [&](const char *name, char *to, size_t size) {
                            return ::fgetxattr(handle, name, to, size);
                        });
}

// Gives the temporary file exactly the extended attributes of the old file, its
// ACL among them, dropping any it took from its folder, and says whether it holds
// them all now. A user may not set some of them, nor read those of a file they
// may not read.
bool takeAttributes(int handle, const QByteArray &from)
{
    const std::optional<Attributes> wanted = attributesOfFile(from);
    const std::optional<Attributes> present = attributesOfHandle(handle);
    if (!wanted || !present)
        return false;
    // On xfs an ACL shows under two names, and removing one removes the other.
    for (const auto &[name, value] : *present) {
        if (!wanted->count(name) && ::fremovexattr(handle, name.constData()) != 0 && errno != ENODATA)
            return false;
    }
    for (const auto &[name, value] : *wanted) {
        if (::fsetxattr(handle, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return false;
    }
    return attributesOfHandle(handle) == wanted;
}

// The flags that chattr sets and lsattr shows; a file system without them has none.
std::optional<int> flagsOf(int handle)
{
    int flags = 0;
    if (::ioctl(handle, FS_IOC_GETFLAGS, &flags) == 0)
        return flags;
    if (errno == ENOTTY || errno == ENOTSUP || errno == EINVAL || errno == ENOSYS)
        return 0;
    return std::nullopt;
}

std::optional<int> flagsOfFile(const QString &path)
{
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return std::nullopt;
    const std::optional<int> flags = flagsOf(handle);
    ::close(handle);
    return flags;
}

// Gives the file at `handle` the flags of the file at `path`, and says whether
// it has them now.
bool takeFlagsOf(int handle, const QString &path)
{
    const std::optional<int> wanted = flagsOfFile(path);
    const std::optional<int> present = flagsOf(handle);
    // An immutable or append-only temporary file could not take the bytes.
    if (!wanted || !present || (*wanted & (FS_IMMUTABLE_FL | FS_APPEND_FL)))
        return false;
    int flags = *wanted;
    if (*present != flags && ::ioctl(handle, FS_IOC_SETFLAGS, &flags) != 0)
        return false;
    return flagsOf(handle) == wanted;
}

bool hasFlagsOf(int handle, const QString &path)
{
    const std::optional<int> flags = flagsOf(handle);
    return flags && flags == flagsOfFile(path);
}

const char capabilityName[] = "security.capability";

std::optional<QByteArray> capabilityOf(int handle)
{
    return readSized([&](char *to, size_t size) { return ::fgetxattr(handle, capabilityName, to, size); });
}

void setCapability(int handle, const QByteArray &value)
{
    ::fsetxattr(handle, capabilityName, value.constData(), size_t(value.size()), 0);
}
#else
// This system's attributes are not read here, so no temporary file could be
// known to carry them: the file is written in place.
bool takeAttributes(int, const QByteArray &)
{
    return false;
}

bool takeFlagsOf(int, const QString &)
{
    return false;
}

bool hasFlagsOf(int, const QString &)
{
    return false;
}

std::optional<QByteArray> capabilityOf(int)
{
    return std::nullopt;
}

void setCapability(int, const QByteArray &) {}
#endif

} // namespace

Target resolve(const QString &path)
{
    Target target;
    target.path = path;
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
    if (::stat(resolvedNative.constData(), &target.status) != 0)
        target.error = qt_error_string(errno);
    return target;
}

QString specialKind(const Target &target)
{
    const mode_t mode = target.status.st_mode;
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return {};
}

bool mayReplace(const Target &target)
{
    // A second link would keep the old text if the file were replaced.
    return target.status.st_nlink == 1;
}

bool takeFlags(int handle, const Target &target)
{
    return takeFlagsOf(handle, target.path);
}

// The owner first, then the mode, then the attributes: a change of owner drops
// set-ID bits and a capability. A user may not give a file away, nor set the
// group bit for a group that is not theirs, and the system drops that bit quietly.
bool takeOver(int handle, const Target &target)
{
    const struct stat &old = target.status;
    struct stat now;
    return ::fchown(handle, old.st_uid, old.st_gid) == 0 && ::fchmod(handle, old.st_mode & 07777) == 0
           && takeAttributes(handle, QFile::encodeName(target.path)) && hasFlagsOf(handle, target.path)
           && ::fstat(handle, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid
           && (now.st_mode & 07777) == (old.st_mode & 07777);
}

QString sync(int handle)
{
    int result;
    do
        result = ::fsync(handle);
    while (result != 0 && errno == EINTR);
    if (result == 0 || errno == EINVAL || errno == ENOTSUP || errno == ENOSYS)
        return {};
    return qt_error_string(errno);
}

Privileges privilegesOf(int handle)
{
    Privileges privileges;
    struct stat status;
    if (::fstat(handle, &status) == 0)
        privileges.mode = status.st_mode & 07777;
    privileges.capability = capabilityOf(handle);
    return privileges;
}

// Only the owner and root may change the mode, and only root may set a capability.
void restorePrivileges(int handle, const Privileges &privileges)
{
    struct stat status;
    if (privileges.mode && ::fstat(handle, &status) == 0 && (status.st_mode & 07777) != *privileges.mode)
        ::fchmod(handle, *privileges.mode);
    if (privileges.capability && !capabilityOf(handle))
        setCapability(handle, *privileges.capability);
}

// Write-only, so a file that the user may write but not read takes the patch too.
QString openForOverwrite(QFile &file, const QString &path)
{
    const int handle = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (handle < 0)
        return qt_error_string(errno);
    if (!file.open(handle, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return file.errorString();
    }
    return {};
}

QString sizeLimitReason(qint64 size)
{
    rlimit limit;
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || rlim_t(size) <= limit.rlim_cur)
        return {};
    return qt_error_string(EFBIG);
}

} // namespace Platform

} // namespace MenuPatchFile
