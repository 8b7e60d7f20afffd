#include "menupatchfile.h"

#include <QSaveFile>

namespace MenuPatchFile {

namespace {

QString reasonOf(const QSaveFile &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("The file could not be written") : reason;
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
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.error = reasonOf(file);
        return outcome;
    }
    const QByteArray bytes = text.toLatin1();
    if (file.write(bytes) != bytes.size()) {
        outcome.error = reasonOf(file);
        file.cancelWriting();
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
