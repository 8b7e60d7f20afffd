#include "flashercommand.h"

namespace FlasherCommand {

QString writeCmd(const QString &port) { return writeHead + port + writeTail; }
QString undoCmd(const QString &port) { return undoHead + port + undoTail; }

QString programWord(const QString &line)
{
    const QString trimmed = line.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    return blank < 0 ? trimmed : trimmed.left(blank);
}

} // namespace FlasherCommand
