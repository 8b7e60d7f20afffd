#include "menupatchfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace MenuPatchFile {

namespace {

QString reasonOf(const QFileDevice &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("The file could not be written") : reason;
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
QString notAFileReason(const QString &path)
{
    const QFileInfo target(path);
    if (!target.exists() || target.isFile())
        return {};
    if (target.isDir())
        return QStringLiteral("it is a folder");
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
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

// Whether the target is a file that may be written but whose folder takes no new
// file, and so no temporary one beside it.
bool onlyWritableInPlace(const QString &path)
{
    const QFileInfo target(path);
    return target.isFile() && target.isWritable()
           && !QFileInfo(QFileInfo(target.canonicalFilePath()).absolutePath()).isWritable();
}

// Writes over the file itself, not emptied on opening. It grows by the new tail
// first, so a full disk or a size limit stops the save while the old bytes are
// still whole, and the file is cut back to them; the other new bytes then take
// the room the old ones had.
Outcome writeInPlace(const QString &path, const QByteArray &bytes)
{
    Outcome outcome;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        outcome.error = reasonOf(file);
        return outcome;
    }
    const qint64 oldSize = file.size();
    if (bytes.size() > oldSize && (!file.seek(oldSize) || !writeAll(file, bytes.mid(oldSize)))) {
        outcome.error = reasonOf(file);
        file.resize(oldSize);
        return outcome;
    }
    if (!file.seek(0) || !writeAll(file, bytes.left(oldSize)) || !file.resize(bytes.size())
        || !file.flush()) {
        outcome.error = reasonOf(file);
        return outcome;
    }
    outcome.saved = true;
    return outcome;
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
    Outcome outcome;
    const QString path = localPath(savePath);
    if (path.isEmpty()) {
        outcome.error = QStringLiteral("No file name given");
        return outcome;
    }
    outcome.error = notAFileReason(path);
    if (!outcome.error.isEmpty())
        return outcome;

    QSaveFile file(path);
    // Unbuffered: a buffered write "succeeds" into memory, the flush at commit fails
    // on a full disk, and commit still puts the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (onlyWritableInPlace(path))
            return writeInPlace(path, text.toLatin1());
        outcome.error = reasonOf(file);
        return outcome;
    }
    if (!writeAll(file, text.toLatin1()) || !file.flush() || file.error() != QFileDevice::NoError) {
        outcome.error = reasonOf(file);
        file.cancelWriting();   // the temporary file goes with `file`; the target is untouched
        return outcome;
    }
    if (!file.commit()) {
        // commit() has already removed the temporary file; the target is untouched.
        outcome.error = reasonOf(file);
        return outcome;
    }
    outcome.saved = true;
    return outcome;
}

} // namespace MenuPatchFile
