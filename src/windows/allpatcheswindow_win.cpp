#include "allpatcheswindow.h"

#include <QDir>

#include <windows.h>

// A file is hidden or a system file by its attributes. The search hands them over
// with each name, so the folder is read in one pass and no file is asked again.
QStringList AllPatchesWindow::folderFiles(const QString &folder, QString *failureReason)
{
    const std::wstring pattern = QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("*"))).toStdWString();
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    QStringList names;
    constexpr DWORD leftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (bool found = search != INVALID_HANDLE_VALUE; found; found = FindNextFileW(search, &entry)) {
        if (!(entry.dwFileAttributes & leftOut))
            names << QString::fromWCharArray(entry.cFileName);
    }
    const DWORD error = GetLastError();   // why the search ended, or never began
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    if (error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND)
        return names;   // read to the end, or nothing matched at all
    *failureReason = error == ERROR_ACCESS_DENIED ? QStringLiteral("access is denied") : qt_error_string(int(error));
    return {};
}
