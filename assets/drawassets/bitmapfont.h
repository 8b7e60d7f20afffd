#pragma once

// The pictures' own lettering: a 3 x 5 pixel font of capitals, digits and a few
// signs, drawn at any whole-number scale. Characters it lacks are drawn as '?'.

#include <QString>
#include <QStringList>

class Canvas;

namespace BitmapFont {

constexpr int glyphWidth = 3;
constexpr int glyphHeight = 5;

int textWidth(const QString &text, int scale = 1);   // one blank column between letters
int textHeight(int scale = 1);
void drawText(Canvas &canvas, int x, int y, const QString &text, int scale = 1, bool black = true);
// Centred in [left, left + width), top at y.
void drawCentred(Canvas &canvas, int left, int width, int y, const QString &text, int scale = 1,
                 bool black = true);
// Splits the text at blanks into lines no wider than maxWidth.
QStringList wrap(const QString &text, int maxWidth, int scale = 1);

} // namespace BitmapFont
