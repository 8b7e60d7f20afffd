#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The graphics-menu patch: the menu entries and their codes, the picture slots and
// their line prefixes, the fixed body and the way the patch text is put together.
// Pure data and text, no window.
namespace MenuPatch {

constexpr int entryCount = 16;   // list indices 0 to 15
constexpr int slotCount = 12;    // picture slots 1 to 12

// The texts of the sixteen entries that every slot offers, in list order.
const QStringList &entryTexts();

// The code that entry k (0 to 15) writes into a slot: six hex digits and CR.
QString entryCode(int k);

// The start of slot n's line (1 to 12): its address, ": FFFFFF " and nothing else.
QString slotPrefix(int n);

// The fixed middle of every menu patch: 42 lines joined by CR LF, no line end
// after the last.
QString body();

// The key lines for the two check boxes, or none when neither is ticked.
std::optional<QString> keyLines(bool rightSoftKey, bool rightArrow);

// The message for a slot without a chosen entry.
QString slotMissingMessage(int n);

inline const QString keyMissingMessage = QStringLiteral("You must select key");

// The key lines, CR CR, the body, CR CR and the twelve slot lines, nothing else.
QString composeText(const QString &keyLines, const QString &body, const QString &menuLines);

} // namespace MenuPatch
