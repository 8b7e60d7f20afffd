// Writing the menu patch file on Windows.

#include "menupatchfile.h"
#include "menupatchfile_p.h"

#include <QFile>

#include <io.h>
#include <windows.h>

namespace MenuPatchFile {

void keepRunningOverSizeLimit() {}

namespace Platform {

Target resolve(const QString &path)
{
    Target target;
    target.path = path;
    return target;
}

QString specialKind(const Target &)
{
    return {};
}

// An existing patch is written in place: a file that replaced it would take the
// folder's permissions rather than its own, and lose its attributes (hidden among
// them), its other hard links and its alternate streams.
bool mayReplace(const Target &)
{
    return false;
}

bool takeFlags(int, const Target &)
{
    return false;
}

bool takeOver(int, const Target &)
{
    return false;
}

QString sync(int handle)
{
    if (handle < 0)
        return qt_error_string(ERROR_INVALID_HANDLE);
    if (FlushFileBuffers(HANDLE(_get_osfhandle(handle))))
        return {};
    const DWORD error = GetLastError();   // the first two: a file system that cannot flush
    if (error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED)
        return {};
    return qt_error_string(int(error));
}

// Writing in place keeps the file's permissions as they are.
Privileges privilegesOf(int)
{
    return {};
}

void restorePrivileges(int, const Privileges &) {}

QString openForOverwrite(QFile &file, const QString &path)
{
    file.setFileName(path);
    if (file.open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly))
        return {};
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("The file could not be opened") : reason;
}

QString sizeLimitReason(qint64)
{
    return {};
}

} // namespace Platform

} // namespace MenuPatchFile
