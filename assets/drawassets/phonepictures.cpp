#include "phonepictures.h"

#include "bitmapfont.h"

#include <QtMath>
#include <array>

using Catalogue::AnimationPair;
using Catalogue::Picture;
using Catalogue::CatalogueRow;

namespace PhonePictures {
namespace {

constexpr int screenHeight = Catalogue::frameHeight;

// ---------------------------------------------------------------- menu icons

struct MenuEntry {
    const char *label;
    std::array<const char *, 11> icon;
};

// The twelve entries of a phone's graphics menu, keypad order.
// clang-format off
const std::array<MenuEntry, 12> menuEntries = {{
    {"PHONEBOOK", {".#########.", ".#.#.....#.", ".#.#.###.#.", ".#.#.....#.", ".#.#.###.#.",
                   ".#.#.....#.", ".#.#.###.#.", ".#.#.....#.", ".#.#.....#.", ".#########.",
                   "..........."}},
    {"MESSAGES",  {"...........", "...........", "###########", "##.......##", "#.#.....#.#",
                   "#..#...#..#", "#...#.#...#", "#....#....#", "#.........#", "###########",
                   "..........."}},
    {"CALLS",     {"###........", "####.......", "####.......", ".##........", ".##........",
                   ".###.......", "..###......", "...####.##.", "....######.", ".....#####.",
                   "......###.."}},
    {"PROFILES",  {"....###....", "...#####...", "...#####...", "...#####...", "....###....",
                   "...........", "..#######..", ".#########.", ".#########.", ".#########.",
                   "..........."}},
    {"EXTRAS",    {".....#.....", ".....#.....", "....###....", "###########", ".#########.",
                   "..#######..", "...#####...", "...##.##...", "..##...##..", "..#.....#..",
                   "..........."}},
    {"ALARM",     {"...#####...", "..#.....#..", ".#...#...#.", "#....#....#", "#....#....#",
                   "#....###..#", "#.........#", "#.........#", ".#.......#.", "..#.....#..",
                   "...#####..."}},
    {"GAMES",     {"###########", "#.........#", "#.##...##.#", "#.##...##.#", "#.........#",
                   "#....#....#", "#.........#", "#.##...##.#", "#.##...##.#", "#.........#",
                   "###########"}},
    {"SETUP",     {".....#.....", "..#..#..#..", "...#####...", "..##...##..", "..#.....#..",
                   "####...####", "..#.....#..", "..##...##..", "...#####...", "..#..#..#..",
                   ".....#....."}},
    {"NOTES",     {"....#######", "....#######", "....#.....#", "....#.....#", "....#.....#",
                   "....#.....#", "....#...###", "..###..####", ".####..####", ".####...##.",
                   "..##......."}},
    {"ORGANISER", {"..#.....#..", "###########", "###########", "#.........#", "#.#.#.#.#.#",
                   "#.........#", "#.#.#.#.#.#", "#.........#", "#.#.#.#.#.#", "#.........#",
                   "###########"}},
    {"SURF",      {"...#####...", "..#..#..#..", ".#..#.#..#.", "###########", "#...#.#...#",
                   "#...#.#...#", "#...#.#...#", "###########", ".#..#.#..#.", "..#..#..#..",
                   "...#####..."}},
    {"KEYLOCK",   {"...#####...", "..##...##..", "..#.....#..", "..#.....#..", "###########",
                   "###########", "#####.#####", "####...####", "#####.#####", "#####.#####",
                   "###########"}},
}};
// clang-format on

constexpr int iconSize = 11;

void drawIcon(Canvas &c, int entry, int x, int y, int scale = 1, bool black = true)
{
    const auto &rows = menuEntries[entry].icon;
    c.pattern(x, y, {rows[0], rows[1], rows[2], rows[3], rows[4], rows[5], rows[6], rows[7],
                     rows[8], rows[9], rows[10]},
              scale, black);
}

// ---------------------------------------------------------------- graphics menus

enum class Highlight { Inverted, Boxed, Bouncing, Zoomed };
enum class CursorPath { Reading, Snake, Columns };

struct MenuLook {
    Highlight highlight;
    CursorPath path;
    bool invertedTitle;
    bool gridLines;
};

// Neighbouring menus in the catalogue get different looks.
MenuLook menuLookFor(int menuNumber)
{
    const int n = menuNumber;
    return {Highlight(n % 4), CursorPath((n / 4) % 3), n % 2 == 1, (n / 2) % 2 == 1};
}

// The place of a menu patch among all menu patches of the catalogue.
int menuNumberOf(const CatalogueRow &window, const AnimationPair &pair)
{
    int number = 0;
    for (const CatalogueRow &w : Catalogue::windows()) {
        for (const AnimationPair &p : w.pairs) {
            if (w.name == window.name && p.strip == pair.strip)
                return number;
            if (const Picture *preview = w.picture(p.preview);
                preview && kindOf(preview->patchPath) == Kind::Menu)
                ++number;
        }
    }
    return number;
}

// The menu entry that frame k highlights; twelve steps visit every entry once.
int cursorEntry(CursorPath path, int k)
{
    const int step = k % 12;
    switch (path) {
    case CursorPath::Reading:
        return step;
    case CursorPath::Snake: {
        const int row = step / 3, col = step % 3;
        return row * 3 + (row % 2 ? 2 - col : col);
    }
    case CursorPath::Columns:
        return (step % 4) * 3 + step / 4;
    }
    return step;
}

void drawTitle(Canvas &c, const QString &name, bool inverted)
{
    const int w = c.width();
    if (inverted) {
        c.fill(QRect(0, 0, w, 9));
        BitmapFont::drawCentred(c, 0, w, 2, name, 1, false);
    } else {
        BitmapFont::drawCentred(c, 0, w, 1, name);
        for (int x = 0; x < w; x += 2)
            c.set(x, 7);
        c.line(0, 8, w - 1, 8);
    }
}

Canvas menuFrame(const QString &name, int menuNumber, int width, int k)
{
    Canvas c(width, screenHeight);
    const MenuLook look = menuLookFor(menuNumber);
    drawTitle(c, name, look.invertedTitle);

    const int gridTop = 10, rowHeight = 15, colWidth = 33;
    const int gridLeft = (width - 3 * colWidth) / 2;
    const int selected = cursorEntry(look.path, k);
    auto cellRect = [&](int entry) {
        return QRect(gridLeft + (entry % 3) * colWidth, gridTop + (entry / 3) * rowHeight,
                     colWidth, rowHeight);
    };
    auto iconPos = [&](int entry) {
        const QRect cell = cellRect(entry);
        return QPoint(cell.left() + (colWidth - iconSize) / 2, cell.top() + 2);
    };

    if (look.gridLines) {
        for (int col = 1; col < 3; ++col)
            for (int y = gridTop; y < gridTop + 4 * rowHeight; y += 2)
                c.set(gridLeft + col * colWidth, y);
        for (int row = 1; row < 4; ++row)
            for (int x = gridLeft; x < gridLeft + 3 * colWidth; x += 2)
                c.set(x, gridTop + row * rowHeight - 1);
    }
    for (int e = 0; e < 12; ++e)
        if (e != selected || look.highlight == Highlight::Zoomed)
            drawIcon(c, e, iconPos(e).x(), iconPos(e).y());

    const QRect cell = cellRect(selected).adjusted(1, 0, -1, -1);
    const QPoint at = iconPos(selected);
    switch (look.highlight) {
    case Highlight::Inverted:
        c.fill(cell);
        drawIcon(c, selected, at.x(), at.y(), 1, false);
        break;
    case Highlight::Boxed:
        c.frame(cell);
        c.frame(cell.adjusted(1, 1, -1, -1));
        drawIcon(c, selected, at.x(), at.y());
        break;
    case Highlight::Bouncing:
        c.frame(cell);
        drawIcon(c, selected, at.x(), at.y() - 1 - k % 2);
        c.line(at.x(), cell.bottom() - 1, at.x() + iconSize - 1, cell.bottom() - 1);
        break;
    case Highlight::Zoomed: {
        // The chosen icon pops up twice its size over its neighbours.
        const QPoint centre = cell.center();
        QRect pop(0, 0, 2 * iconSize + 4, 2 * iconSize + 4);
        pop.moveCenter(centre);
        pop.moveTop(qBound(gridTop, pop.top(), 70 - pop.height()));
        pop.moveLeft(qBound(0, pop.left(), width - pop.width()));
        c.fill(pop, false);
        c.frame(pop);
        drawIcon(c, selected, pop.left() + 2, pop.top() + 2, 2);
        break;
    }
    }

    // Bottom line: the highlighted entry's label between two soft-key arrows.
    c.line(0, 71, width - 1, 71);
    BitmapFont::drawCentred(c, 0, width, 74, QString::fromLatin1(menuEntries[selected].label));
    c.pattern(2, 73, {"..#", ".##", "###", ".##", "..#"});
    c.pattern(width - 5, 73, {"#..", "##.", "###", "##.", "#.."});
    return c;
}

// ---------------------------------------------------------------- ending animations

// A name in the largest size that fits, centred at the top; returns the first free row.
int drawHeading(Canvas &c, const QString &name, int top)
{
    const int w = c.width();
    if (BitmapFont::textWidth(name, 2) <= w - 6) {
        BitmapFont::drawCentred(c, 0, w, top, name, 2);
        return top + BitmapFont::textHeight(2) + 2;
    }
    int y = top;
    for (const QString &line : BitmapFont::wrap(name, w - 6)) {
        BitmapFont::drawCentred(c, 0, w, y, line);
        y += BitmapFont::textHeight() + 2;
    }
    return y;
}

// A ball bounces across the floor while a farewell spells itself out.
Canvas bouncingBall(const QString &name, int width, int k, int frames)
{
    Canvas c(width, screenHeight);
    drawHeading(c, name, 2);
    const QString farewell = QStringLiteral("GOODBYE");
    const int shown = qMin<int>(farewell.size(), (k * farewell.size() + frames - 2) / (frames - 1));
    const int textLeft = (width - BitmapFont::textWidth(farewell)) / 2;
    BitmapFont::drawText(c, textLeft, 16, farewell.left(shown));

    const int floor = 76;
    c.line(0, floor, width - 1, floor);
    for (int x = (k * 3) % 6; x < width; x += 6)   // the floor runs by
        c.set(x, floor + 2);
    const int heights[] = {0, 22, 30, 22};
    const int lift = heights[k % 4];
    const int radius = 6;
    const int x = 10 + k * (width - 20) / qMax(1, frames - 1);
    const int y = floor - 1 - radius - lift;
    const int shadow = radius + 2 - lift / 6;
    c.line(x - shadow, floor + 1, x + shadow, floor + 1);
    if (lift == 0) {   // squashed on landing
        for (int dy = -radius + 2; dy <= radius; ++dy)
            for (int dx = -radius - 2; dx <= radius + 2; ++dx)
                if (dx * dx * 36 / 64 + (dy - 1) * (dy - 1) * 36 / 25 <= 36)
                    c.set(x + dx, y + dy);
    } else {
        c.disc(x, y, radius);
    }
    c.disc(x - 2, y - 2, 1, false);
    return c;
}

// Two curtains close over the name and a farewell.
Canvas closingCurtain(const QString &name, int width, int k, int frames)
{
    Canvas c(width, screenHeight);
    const int top = drawHeading(c, name, 10);
    BitmapFont::drawCentred(c, 0, width, qMax(top + 4, 40), QStringLiteral("BYE"), 4);

    const int half = (width + 1) / 2;
    const int cover = k * half / qMax(1, frames - 1);
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < cover; ++i) {
            const int x = side == 0 ? i : width - 1 - i;
            const int fold = (cover - i) % 5;   // pleats travel with the cloth
            for (int y = 6; y < screenHeight; ++y)
                c.set(x, y, fold != 2);
        }
    }
    // The pelmet with its scallops.
    c.fill(QRect(0, 0, width, 6));
    for (int x = 0; x < width; ++x)
        if (x % 8 >= 2 && x % 8 <= 5)
            c.set(x, 6);
    return c;
}

void drawStickFigure(Canvas &c, int cx, int floor, int height, bool armsUp)
{
    const int head = qMax(2, height / 10);
    const int neck = floor - height + 2 * head + 1;
    const int hip = floor - height * 4 / 10;
    c.disc(cx, floor - height + head, head);
    c.line(cx, neck, cx, hip);
    c.line(cx - 1, neck, cx - 1, hip);
    const int arm = height * 3 / 10;
    const int shoulder = neck + head / 2 + 1;
    const int handY = armsUp ? shoulder - arm * 2 / 3 : shoulder + arm * 2 / 3;
    c.line(cx, shoulder, cx - arm, handY);
    c.line(cx, shoulder, cx + arm, handY);
    const int stride = height / 5;
    c.line(cx, hip, cx - stride, floor);
    c.line(cx - 1, hip, cx - 1 - stride, floor);
    c.line(cx, hip, cx + stride, floor);
}

// A waving figure grows from a dot to the whole screen.
Canvas growingFigure(const QString &name, int width, int k, int frames)
{
    Canvas c(width, screenHeight);
    const int top = drawHeading(c, name, 2);
    const int floor = 77;
    c.line(0, floor + 1, width - 1, floor + 1);
    const int tallest = floor - top - 2;
    const int height = 8 + k * (tallest - 8) / qMax(1, frames - 1);
    drawStickFigure(c, width / 2, floor, height, k % 2 == 0);
    // Little sparks fly off the way he waves.
    const int spark = 4 + (k % 3) * 3;
    c.pattern(width / 2 - height / 2 - spark, floor - height / 2, {".#.", "###", ".#."});
    c.pattern(width / 2 + height / 2 + spark - 2, floor - height / 2, {".#.", "###", ".#."});
    return c;
}

// ---------------------------------------------------------------- operator logos

void drawMast(Canvas &c, int cx, int top, int waves)
{
    c.pattern(cx - 3, top, {"#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.",
                            "#######"});
    for (int i = 1; i <= waves; ++i) {
        const int r = 4 + 3 * i;
        for (int a = -40; a <= 40; a += 5) {   // little arcs on both sides
            const double rad = qDegreesToRadians(double(a));
            const int dx = qRound(r * qCos(rad)), dy = qRound(r * qSin(rad));
            c.set(cx + dx, top + 3 + dy);
            c.set(cx - dx, top + 3 + dy);
        }
    }
}

// The name scrolls through a band under a radio mast.
Canvas scrollingLogo(const QString &name, int width, int k)
{
    Canvas c(width, screenHeight);
    drawMast(c, width / 2, 4, 1 + k % 3);
    const QRect band(2, 26, width - 4, 25);
    c.frame(band);
    c.frame(band.adjusted(-1, -1, 1, 1));
    const int textWidth = BitmapFont::textWidth(name, 3);
    const int x = (width - textWidth) / 2 - (k - 5) * 12;
    c.setClip(band.adjusted(2, 2, -2, -2));
    BitmapFont::drawText(c, x, band.top() + 5, name, 3);
    c.resetClip();
    for (int i = 0; i < 5; ++i)
        c.fill(QRect(width / 2 - 22 + i * 9, 60 - i * 2, 6, 6 + i * 2), i <= k % 5);
    for (int i = 0; i < 5; ++i)
        c.frame(QRect(width / 2 - 22 + i * 9, 60 - i * 2, 6, 6 + i * 2));
    return c;
}

void drawStar(Canvas &c, int x, int y)
{
    c.pattern(x, y, {"..#..", "..#..", "#####", ".###.", ".#.#."});
}

// The name in a box that blinks between black on white and white on black.
Canvas blinkingLogo(const QString &name, int width, int k, int frames)
{
    Canvas c(width, screenHeight);
    const QRect box(3, 22, width - 6, 26);
    const bool lit = k % 2 == 1;
    c.fill(box, lit);
    c.frame(box);
    c.frame(box.adjusted(-2, -2, 2, 2));
    const int scale = BitmapFont::textWidth(name, 2) <= box.width() - 6 ? 2 : 1;
    BitmapFont::drawCentred(c, box.left(), box.width(), box.top() + (box.height() - 5 * scale) / 2,
                            name, scale, !lit);
    if (lit) {
        drawStar(c, 8, 6);
        drawStar(c, width - 13, 6);
    } else {
        drawStar(c, width / 2 - 2, 6);
    }
    // A row of lamps lights up one by one.
    const int pitch = (width - 10) / frames;
    for (int i = 0; i < frames; ++i) {
        const int x = 5 + i * pitch + pitch / 2;
        if (i <= k)
            c.disc(x, 64, 2);
        else
            c.circle(x, 64, 2);
    }
    return c;
}

// The name is typed letter by letter above a running wave, then stands complete.
Canvas typedLogo(const QString &name, int width, int k, int frames)
{
    Canvas c(width, screenHeight);
    const int scale = BitmapFont::textWidth(name, 2) <= width - 6 ? 2 : 1;
    const int letters = qMin<int>(name.size(), (k + 1) * name.size() / frames);
    const int left = (width - BitmapFont::textWidth(name, scale)) / 2;
    const int top = 26;
    BitmapFont::drawText(c, left, top, name.left(letters), scale);
    if (letters < name.size())   // the cursor waits after the last letter
        c.fill(QRect(left + letters * 4 * scale, top, 3 * scale, 5 * scale));
    else
        c.frame(QRect(left - 4, top - 4, BitmapFont::textWidth(name, scale) + 8, 5 * scale + 8));

    // A diamond on top that turns its face with every letter.
    const int cx = width / 2, cy = 10, r = 7;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (qAbs(dx) + qAbs(dy) <= r && ((dx + dy + k) % 3 == 0 || qAbs(dx) + qAbs(dy) == r))
                c.set(cx + dx, cy + dy);

    for (int x = 2; x < width - 2; ++x) {
        const double phase = (x + k * 6) * 2 * M_PI / 24;
        c.set(x, 58 + qRound(4 * qSin(phase)));
        c.set(x, 59 + qRound(4 * qSin(phase)));
    }
    return c;
}

// A windmill turns; after `period` frames it stands where it started.
Canvas turningWheel(const QString &name, int width, int phase, int period)
{
    Canvas c(width, screenHeight);
    const int cx = width / 2, cy = 28, r = 22;
    c.circle(cx, cy, r + 2);
    for (int blade = 0; blade < 3; ++blade) {
        const double start = blade * 120.0 + phase * 120.0 / period;
        for (int a = 0; a <= 30; ++a) {
            const double rad = qDegreesToRadians(start + a);
            c.line(cx, cy, cx + qRound(r * qCos(rad)), cy - qRound(r * qSin(rad)));
        }
    }
    c.disc(cx, cy, 3, false);
    c.circle(cx, cy, 3);
    const int scale = BitmapFont::textWidth(name, 2) <= width - 6 ? 2 : 1;
    BitmapFont::drawCentred(c, 0, width, 60, name, scale);
    c.line(4, 72, width - 5, 72);
    return c;
}

// The name runs round and round a marquee; `period` frames make one lap.
Canvas marquee(const QString &name, int width, int phase, int period)
{
    Canvas c(width, screenHeight);
    const int textWidth = BitmapFont::textWidth(name, 2);
    const int step = (textWidth + 16 + period - 1) / period;
    const int lap = step * period;
    const QRect band(1, 24, width - 2, 22);
    c.line(band.left(), band.top(), band.right(), band.top());
    c.line(band.left(), band.top() + 2, band.right(), band.top() + 2);
    c.line(band.left(), band.bottom(), band.right(), band.bottom());
    c.line(band.left(), band.bottom() - 2, band.right(), band.bottom() - 2);
    c.setClip(band.adjusted(0, 3, 0, -3));
    for (int x = band.left() + 4 - phase * step; x < width; x += lap)
        BitmapFont::drawText(c, x, band.top() + 6, name, 2);
    c.resetClip();
    // Chevrons above and below run the other way round.
    c.setClip(QRect(1, 0, width - 2, screenHeight));
    const int chevronLap = 9;
    const int shift = phase * chevronLap * ((period + chevronLap - 1) / chevronLap) / period;
    for (int x = -chevronLap + (shift % chevronLap); x < width; x += chevronLap) {
        c.pattern(x, 12, {"#...", ".#..", "..#.", ".#..", "#..."});
        c.pattern(x, 58, {"...#", "..#.", ".#..", "..#.", "...#"});
    }
    c.resetClip();
    BitmapFont::drawCentred(c, 0, width, 70, QStringLiteral("GSM"), 1);
    return c;
}

// ---------------------------------------------------------------- strips

// How many frames a strip's motion takes before it repeats itself; some previews
// show an animation that comes back to its first picture inside the strip.
int repeatAfter(const QString &window, const QString &strip, int frames)
{
    if (window == QLatin1String("Form4") && strip == QLatin1String("d1"))
        return 5;
    if (window == QLatin1String("Form4") && strip == QLatin1String("e1"))
        return 9;
    return frames;
}

Canvas animationFrame(Kind kind, const QString &name, int slot, int width, int k, int frames,
                      int period)
{
    const int phase = k % period;
    switch (kind) {
    case Kind::Menu:
        return menuFrame(name, slot, width, k);
    case Kind::EndingAnimation:
        switch (slot % 3) {
        case 0: return bouncingBall(name, width, k, frames);
        case 1: return closingCurtain(name, width, k, frames);
        default: return growingFigure(name, width, k, frames);
        }
    case Kind::OperatorLogo:
        if (period < frames)
            return slot % 2 ? marquee(name, width, phase, period)
                            : turningWheel(name, width, phase, period);
        switch (slot % 3) {
        case 0: return scrollingLogo(name, width, k);
        case 1: return blinkingLogo(name, width, k, frames);
        default: return typedLogo(name, width, k, frames);
        }
    case Kind::SystemGraphic:
        break;
    }
    return Canvas(width, screenHeight);
}

} // namespace

QString shownName(const QString &patchPath)
{
    QString file = patchPath.trimmed();
    file = file.mid(file.lastIndexOf(QLatin1Char('\\')) + 1);
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        file.truncate(dot);
    for (const char *prefix : {"AOL", "EA", "SA", "M", "A"}) {
        if (file.startsWith(QLatin1String(prefix))) {
            file.remove(0, int(qstrlen(prefix)));
            break;
        }
    }
    file.replace(QLatin1Char('_'), QLatin1Char(' '));
    return file.simplified().toUpper();
}

Kind kindOf(const QString &patchPath)
{
    QString file = patchPath.trimmed();
    file = file.mid(file.lastIndexOf(QLatin1Char('\\')) + 1);
    if (file.startsWith(QLatin1String("EA")))
        return Kind::EndingAnimation;
    if (file.startsWith(QLatin1String("SA")))
        return Kind::SystemGraphic;
    if (file.startsWith(QLatin1String("A")))
        return Kind::OperatorLogo;
    return Kind::Menu;
}

Canvas strip(const CatalogueRow &window, const AnimationPair &pair)
{
    const Picture *preview = window.picture(pair.preview);
    Q_ASSERT(preview);
    const QString name = shownName(preview->patchPath);
    const Kind kind = kindOf(preview->patchPath);
    // The pair's place among the window's pairs picks its motif; menus count
    // through the whole catalogue.
    int slot = 0;
    while (window.pairs[slot].strip != pair.strip)
        ++slot;
    if (kind == Kind::Menu)
        slot = menuNumberOf(window, pair);
    const int frames = pair.frameCount();
    const int period = repeatAfter(window.name, pair.strip, frames);

    Canvas out(pair.stripWidth, Catalogue::frameHeight);
    for (int k = 0; k < frames; ++k)
        out.paste(k * pair.frameWidth, 0,
                  animationFrame(kind, name, slot, pair.frameWidth, k, frames, period));
    return out;
}

Canvas still(const Canvas &strip, const AnimationPair &pair)
{
    Canvas out(pair.frameWidth, Catalogue::frameHeight);
    out.paste(-pair.stillX, 0, strip);
    return out;
}

Canvas systemGraphic(const Picture &picture)
{
    const QSize size = picture.pixelRect().size();
    Canvas c(size.width(), size.height());
    const QString name = shownName(picture.patchPath);
    const QString tip = picture.toolTip.toLower();

    if (tip.contains(QLatin1String("antenna"))) {
        c.pattern(0, 0, {"#.#.#", "#.#.#", ".###.", "..#..", "..#..", "..#..", "..#.."});
        const int heights[] = {2, 3, 4, 6, 7};
        for (int i = 0; i < 5; ++i)
            c.fill(QRect(8 + i * 4, size.height() - heights[i], 3, heights[i]));
    } else if (tip.contains(QLatin1String("battery"))) {
        c.frame(QRect(0, 0, size.width() - 2, size.height()));
        c.fill(QRect(size.width() - 2, 2, 2, size.height() - 4));
        for (int i = 0; i < 4; ++i)
            c.fill(QRect(2 + i * 5, 2, 4, size.height() - 4));
    } else if (tip.contains(QLatin1String("outgowing")) || tip.contains(QLatin1String("outgoing"))) {
        drawIcon(c, 2, 2, (size.height() - iconSize) / 2);
        c.line(14, 12, 22, 4);   // the call leaves: an arrow out of the handset
        c.line(18, 4, 22, 4);
        c.line(22, 4, 22, 8);
        BitmapFont::drawText(c, 28, 2, QStringLiteral("CALL"), 2);
        for (int i = 0; i < 3; ++i)
            c.fill(QRect(60 + i * 5, 9, 2, 2));
        BitmapFont::drawText(c, 28, 14, name);
    } else if (tip.contains(QLatin1String("incoming"))) {
        drawIcon(c, 2, 1, (size.height() - 2 * iconSize) / 2, 2);
        c.line(33, 3, 25, 11);   // the call arrives: an arrow into the handset
        c.line(25, 11, 29, 11);
        c.line(25, 11, 25, 7);
        BitmapFont::drawText(c, 36, 3, QStringLiteral("INCOMING"), 2);
        BitmapFont::drawText(c, 36, 17, name);
    } else {   // an envelope on its way
        BitmapFont::drawCentred(c, 0, size.width(), 2, name);
        const QRect envelope(22, 12, 48, 34);
        c.frame(envelope);
        c.frame(envelope.adjusted(1, 1, -1, -1));
        c.line(envelope.left(), envelope.top(), envelope.center().x(), envelope.top() + 20);
        c.line(envelope.right(), envelope.top(), envelope.center().x() + 1, envelope.top() + 20);
        c.line(envelope.left(), envelope.bottom(), envelope.left() + 18, envelope.top() + 16);
        c.line(envelope.right(), envelope.bottom(), envelope.right() - 18, envelope.top() + 16);
        for (int i = 0; i < 4; ++i)   // speed lines behind it
            c.line(2 + i * 2, 18 + i * 7, 17, 18 + i * 7);
        c.fill(QRect(74, 27, 12, 4));
        c.pattern(84, 23, {"#....", "##...", "###..", "####.", "#####", "####.", "###..", "##...",
                           "#...."});
        BitmapFont::drawCentred(c, 0, size.width(), 54, QStringLiteral("SENDING"), 2);
    }
    return c;
}

} // namespace PhonePictures
