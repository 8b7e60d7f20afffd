#include "menupatch.h"

namespace MenuPatch {

namespace {

struct Entry {
    const char *text;
    const char *code;   // with the CR that ends the slot line
};

const Entry entries[entryCount] = {
    {"Organiser", "3C40DB\r"},
    {"Message", "0840DB\r"},
    {"Surf/Fun", "4C40DB\r"},
    {"Audio", "6C40DB\r"},
    {"Record", "1C40DB\r"},
    {"Setup", "2C40DB\r"},
    {"WriteMessage", "620AD9\r"},
    {"Java", "B4E1D8\r"},
    {"MP3Player", "C4E1D8\r"},
    {"Games", "DAE1D8\r"},
    {"Calendar", "50EFDB\r"},
    {"Card-Explorer", "CAE1D8\r"},
    {"Profiles", "5C40DB\r"},
    {"Time/Charge", "7C40DB\r"},
    {"Divert", "8C40DB\r"},
    {"Help", "50FBEC\r"},
};

// Slots 1 to 12: three firmware bytes each, end to end from 27D4DC.
const char *const slotPrefixes[slotCount] = {
    "27D4DC: FFFFFF ", "27D4DF: FFFFFF ", "27D4E2: FFFFFF ", "27D4E5: FFFFFF ",
    "27D4E8: FFFFFF ", "27D4EB: FFFFFF ", "27D4EE: FFFFFF ", "27D4F1: FFFFFF ",
    "27D4F4: FFFFFF ", "27D4F7: FFFFFF ", "27D4FA: FFFFFF ", "27D4FD: FFFFFF ",
};

const char bodyText[] =
    "3B0450: F0C4DAE5243AEA00 EA00EE07DAC7C0D5 \r\n"
    "3B0458: F407 0D23 \r\n"
    "\r\n"
    "27D500: FFFFFFFFFFFFFFFF DC4FD44E02002D32 \r\n"
    "27D508: FFFFFFFFFFFFFFFF D7403400F2FE1C3E \r\n"
    "27D510: FFFFFFFFFFFFFFFF 26FE6F0046F42000 \r\n"
    "27D518: FFFFFFFFFFFFFFFF 3D0208E40D1146F4 \r\n"
    "27D520: FFFFFFFFFFFFFFFF 21003D0228E40D0C \r\n"
    "27D528: FFFFFFFFFFFFFFFF 46F422003D0208E1 \r\n"
    "27D530: FFFFFFFFFFFFFFFF 0D0746F423003D02 \r\n"
    "27D538: FFFFFFFFFFFFFFFF 28E10D0248412D62 \r\n"
    "27D540: FFFFFFFFFFFFFFFF 48E0DD02E0BE0D04 \r\n"
    "27D548: FFFFFFFFFFFFFFFF 46FE0C00CD01E00E \r\n"
    "27D550: FFFFFFFFFFFFFFFF 48452D0F48432D0D \r\n"
    "27D558: FFFFFFFFFFFFFFFF 06FE6F00D7403400 \r\n"
    "27D560: FFFFFFFFFFFFFFFF F6FE1C3EE00CE00D \r\n"
    "27D568: FFFFFFFFFFFFFFFF DAC1EC22E6F4FFFF \r\n"
    "27D570: FFFFFFFFFFFFFFFF DB00F04E5C1400E4 \r\n"
    "27D578: FFFFFFFFFFFFFFFF 06FEDC14E005D760 \r\n"
    "27D580: FFFFFFFFFFFFFFFF 1F03998E999E99AE \r\n"
    "27D588: FFFFFFFFFFFFFFFF 2DF1DAC788EE0DEE \r\n"
    "\r\n"
    "27D590: FFFFFFFFFFFFFFFF 0000000000D5C700 \r\n"
    "27D598: FFFFFFFFFFFFFFFF 00000000527CF000 \r\n"
    "27D5A0: FFFFFFFFFFFFFFFF 9429E10228161F03 \r\n"
    "27D5A8: FFFFFFFFFFFFFFFF 0000000065005000 \r\n"
    "27D5B0: FFFFFFFFFFFFFFFF 1C3E340000000000 \r\n"
    "27D5B8: FFFFFFFF 0000FF00 \r\n"
    "27D5C0: FFFFFFFFFFFFFFFF E6F46F00D7403400 \r\n"
    "27D5C8: FFFFFFFFFFFFFFFF F6F41C3E88908880 \r\n"
    "27D5D0: FFFFFFFFFFFFFFFF E6FC5AF5E6FDD800 \r\n"
    "27D5D8: FFFFFFFFFFFFFFFF E6FE96F5F0FDDAF0 \r\n"
    "27D5E0: FFFFFFFFFFFFFFFF 3CFDF084F095F0C8 \r\n"
    "27D5E8: FFFFFFFFFFFFFFFF F0D9E6FE9015E6FF \r\n"
    "27D5F0: FFFFFFFFFFFFFFFF 1F03DAF024FFF0C8 \r\n"
    "27D5F8: FFFFFFFFFFFFFFFF F0D9DAF09E809880 \r\n"
    "27D600: FFFFFFFFFFFFFFFF 9890DB00E004DB00 \r\n"
    "\r\n"
    "27D610: FFFFFFFFFFFFFFFF 03000300FFFF0000 \r\n"
    "27D618: FFFFFFFFFFFFFFFF 0000FFFF00000000 \r\n"
    "27D620: FFFFFFFFFFFFFFFF FFFF05000500FFFF \r\n"
    "27D628: FFFFFFFFFFFFFFFF 10161F030100FFFF";

// The key lines by the two check boxes; the second line of "both" has no CR.
const char rightSoftKeyLines[] = "3B036E: 3C 54\r";
const char bothKeysLines[] = "3B0368: 3C 54\r3B036E: 3C 54";
const char rightArrowLines[] = "3B0368: 3C 54\r";

} // namespace

const QStringList &entryTexts()
{
    static const QStringList texts = [] {
        QStringList all;
        for (const Entry &entry : entries)
            all << QString::fromLatin1(entry.text);
        return all;
    }();
    return texts;
}

QString entryCode(int k)
{
    Q_ASSERT(k >= 0 && k < entryCount);
    return QString::fromLatin1(entries[k].code);
}

QString slotPrefix(int n)
{
    Q_ASSERT(n >= 1 && n <= slotCount);
    return QString::fromLatin1(slotPrefixes[n - 1]);
}

QString body() { return QString::fromLatin1(bodyText); }

std::optional<QString> keyLines(bool rightSoftKey, bool rightArrow)
{
    if (rightSoftKey && !rightArrow)
        return QString::fromLatin1(rightSoftKeyLines);
    if (rightSoftKey && rightArrow)
        return QString::fromLatin1(bothKeysLines);
    if (!rightSoftKey && rightArrow)
        return QString::fromLatin1(rightArrowLines);
    return std::nullopt;
}

QString slotMissingMessage(int n)
{
    return QStringLiteral("Menu picture no.%1 is not selected").arg(n);
}

QString composeText(const QString &keyLines, const QString &body, const QString &menuLines)
{
    const QString separator = QStringLiteral("\r\r");
    return keyLines + separator + body + separator + menuLines;
}

} // namespace MenuPatch
