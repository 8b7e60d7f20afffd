#pragma once

#include <QString>

// The flasher's command lines. A line is the head, the port digit, the tail and
// the patch path joined with nothing between them; the path goes in verbatim,
// leading blanks included and without quotes.
namespace FlasherCommand {

enum class Operation { Write, Undo };

inline const QString writeHead = QStringLiteral("data\\v_klay.exe /ww=1 /p=SL4x /pcom=COM");
inline const QString writeTail = QStringLiteral(" /pbaud=115200 /warn=0 /wr=1 /qu=1 ");
inline const QString undoHead = QStringLiteral("data\\V_KLay.exe /ww=1 /p=SL4x /pcom=COM");
inline const QString undoTail = QStringLiteral(" /pbaud=115200 /warn=0 /rd=1 /qu=1 ");

// The line up to the patch path (what a patch window keeps as writeCmd / undoCmd).
QString writeCmd(const QString &port);
QString undoCmd(const QString &port);

// The first blank-separated word of a line: the program the platform starts.
QString programWord(const QString &line);

} // namespace FlasherCommand
