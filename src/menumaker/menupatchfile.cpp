#include "menupatchfile.h"

#include <QSaveFile>

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

    QSaveFile file(path);
    // Unbuffered: a buffered write "succeeds" into memory, the flush at commit fails
    // on a full disk, and commit still puts the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
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
