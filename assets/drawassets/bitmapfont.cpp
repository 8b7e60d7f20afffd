#include "bitmapfont.h"

#include "canvas.h"

#include <array>

namespace BitmapFont {
namespace {

struct Glyph {
    char ch;
    std::array<const char *, glyphHeight> rows;
};

// clang-format off
const Glyph glyphs[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}}, {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    {'E', {"###", "#..", "##.", "#..", "###"}}, {'F', {"###", "#..", "##.", "#..", "#.."}},
    {'G', {".##", "#..", "#.#", "#.#", ".##"}}, {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}}, {'J', {"..#", "..#", "..#", "#.#", ".#."}},
    {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}}, {'L', {"#..", "#..", "#..", "#..", "###"}},
    {'M', {"#.#", "###", "###", "#.#", "#.#"}}, {'N', {"##.", "#.#", "#.#", "#.#", "#.#"}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}}, {'P', {"##.", "#.#", "##.", "#..", "#.."}},
    {'Q', {".#.", "#.#", "#.#", "##.", ".##"}}, {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    {'S', {".##", "#..", ".#.", "..#", "##."}}, {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}}, {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
    {'W', {"#.#", "#.#", "###", "###", "#.#"}}, {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
    {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}}, {'Z', {"###", "..#", ".#.", "#..", "###"}},
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"##.", "..#", ".#.", "#..", "###"}}, {'3', {"##.", "..#", ".#.", "..#", "##."}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "##.", "..#", "##."}},
    {'6', {".##", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "##."}},
    {' ', {"...", "...", "...", "...", "..."}}, {'(', {".#.", "#..", "#..", "#..", ".#."}},
    {')', {".#.", "..#", "..#", "..#", ".#."}}, {'_', {"...", "...", "...", "...", "###"}},
    {'-', {"...", "...", "###", "...", "..."}}, {'.', {"...", "...", "...", "...", ".#."}},
    {':', {"...", ".#.", "...", ".#.", "..."}}, {'!', {".#.", ".#.", ".#.", "...", ".#."}},
    {'?', {"##.", "..#", ".#.", "...", ".#."}}, {'/', {"..#", "..#", ".#.", "#..", "#.."}},
    {'\'', {".#.", ".#.", "...", "...", "..."}}, {'+', {"...", ".#.", "###", ".#.", "..."}},
    {'#', {"#.#", "###", "#.#", "###", "#.#"}}, {'*', {"#.#", ".#.", "###", ".#.", "#.#"}},
};
// clang-format on

const Glyph &glyphFor(QChar ch)
{
    const char wanted = ch.toUpper().toLatin1();
    for (const Glyph &g : glyphs)
        if (g.ch == wanted)
            return g;
    return glyphFor(QLatin1Char('?'));
}

} // namespace

int textWidth(const QString &text, int scale)
{
    return text.isEmpty() ? 0 : (text.size() * (glyphWidth + 1) - 1) * scale;
}

int textHeight(int scale) { return glyphHeight * scale; }

void drawText(Canvas &canvas, int x, int y, const QString &text, int scale, bool black)
{
    for (QChar ch : text) {
        const Glyph &g = glyphFor(ch);
        canvas.pattern(x, y, {g.rows[0], g.rows[1], g.rows[2], g.rows[3], g.rows[4]}, scale, black);
        x += (glyphWidth + 1) * scale;
    }
}

void drawCentred(Canvas &canvas, int left, int width, int y, const QString &text, int scale,
                 bool black)
{
    drawText(canvas, left + (width - textWidth(text, scale)) / 2, y, text, scale, black);
}

QStringList wrap(const QString &text, int maxWidth, int scale)
{
    QStringList lines;
    QString current;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && textWidth(joined, scale) > maxWidth) {
            lines << current;
            current = word;
        } else {
            current = joined;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

} // namespace BitmapFont
