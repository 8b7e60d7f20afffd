#include "menupatchfile.h"
#include "menupatchfile_p.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace MenuPatchFile {

namespace {

using Platform::Target;

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
QString notAFileReason(const Target &target, const QFileInfo &file)
{
    if (!file.exists() || file.isFile())
        return {};
    if (file.isDir())
        return QStringLiteral("it is a folder");
    const QString kind = Platform::specialKind(target);
    return kind.isEmpty() ? QStringLiteral("it is not a regular file")
                          : QStringLiteral("it is %1, not a regular file").arg(kind);
}

// Replaces the target through a temporary file beside it, so a failure (a full
// disk among others) leaves an existing file as it was and no new one behind.
// Nothing when an existing target could not be replaced by the same file as
// before: no temporary file may stand beside it, it could not take what the
// file is, or it could not take the file's place. The file is then still as it
// was, and the caller writes in place. A disk that cannot take the bytes is a
// failure, not a reason to write in place: the old bytes would go the same way.
std::optional<Outcome> replace(const Target &target, bool exists, const QByteArray &bytes)
{
    QSaveFile file(target.path);
    // Unbuffered: a buffered write "succeeds" into memory, the flush at commit fails
    // on a full disk, and commit still puts the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (exists)
            return std::nullopt;
        return failed(reasonOf(file));
    }
    if (exists && !Platform::takeFlags(file.handle(), target)) {
        file.cancelWriting();
        return std::nullopt;
    }
    if (!writeAll(file, bytes) || !file.flush() || file.error() != QFileDevice::NoError) {
        const Outcome outcome = failed(reasonOf(file));
        file.cancelWriting();   // the temporary file goes with `file`; the target is untouched
        return outcome;
    }
    if (exists && !Platform::takeOver(file.handle(), target)) {
        file.cancelWriting();
        return std::nullopt;
    }
    // Commit syncs too, but goes on whatever the disk says.
    if (const QString reason = Platform::sync(file.handle()); !reason.isEmpty()) {
        file.cancelWriting();
        return failed(reason);
    }
    // A failed commit has removed the temporary file. It fails where the file's
    // name leaves no room for the temporary one's, or where the file is a mount
    // point that no rename may replace.
    if (!file.commit())
        return exists ? std::nullopt : std::optional<Outcome>(failed(reasonOf(file)));
    return Outcome{true, {}};
}

// Writes over the open file: it grows by the new tail first and has the disk take
// it, so a full disk or one that cannot take the bytes stops the save while the
// old bytes are still whole, and the file is cut back to them; the other new
// bytes then take the room the old ones had, and a longer old file is cut to the
// new size. The system's reason at the first step that fails.
QString overwrite(QFile &file, qint64 oldSize, const QByteArray &bytes)
{
    if (bytes.size() > oldSize) {
        const QString reason = !file.seek(oldSize) || !writeAll(file, bytes.mid(oldSize))
                                   ? reasonOf(file)
                                   : Platform::sync(file.handle());
        if (!reason.isEmpty()) {
            file.resize(oldSize);
            return reason;
        }
    }
    if (!file.seek(0) || !writeAll(file, bytes.left(oldSize)))
        return reasonOf(file);
    // Only a longer old file is cut: some drivers (FAT through FUSE) refuse a cut
    // to the size the file already has.
    if (file.size() != bytes.size() && !file.resize(bytes.size()))
        return reasonOf(file);
    return file.flush() ? QString() : reasonOf(file);
}

// Writes over the file itself, not emptied on opening, so it stays the same file
// with every link, owner, mode and attribute. A size limit below either size is
// refused before anything is written. Saved only once the disk holds it all.
Outcome writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file;
    if (const QString reason = Platform::openForOverwrite(file, path); !reason.isEmpty())
        return failed(reason);
    const qint64 oldSize = file.size();
    if (const QString reason = Platform::sizeLimitReason(qMax(oldSize, qint64(bytes.size()))); !reason.isEmpty())
        return failed(reason);
    const Platform::Privileges privileges = Platform::privilegesOf(file.handle());
    const QString reason = overwrite(file, oldSize, bytes);
    Platform::restorePrivileges(file.handle(), privileges);
    if (!reason.isEmpty())
        return failed(reason);
    if (const QString syncReason = Platform::sync(file.handle()); !syncReason.isEmpty())
        return failed(syncReason);
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
    const Target target = Platform::resolve(path);
    if (!target.error.isEmpty())
        return failed(target.error);
    const QFileInfo file(target.path);
    if (const QString reason = notAFileReason(target, file); !reason.isEmpty())
        return failed(reason);
    // No write bit for anyone: the owner has made it read-only, and that holds
    // for a user whom the rights would let through too.
    const QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const bool exists = file.exists();
    if (exists && !(file.permissions() & writeBits))
        return failed(QStringLiteral("it is read-only"));

    const QByteArray bytes = text.toLatin1();
    if (!exists || Platform::mayReplace(target)) {
        if (const std::optional<Outcome> outcome = replace(target, exists, bytes))
            return *outcome;
    }
    return writeInPlace(target.path, bytes);
}

} // namespace MenuPatchFile
