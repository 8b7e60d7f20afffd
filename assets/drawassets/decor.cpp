#include "decor.h"

#include <QPainter>
#include <QVector>

namespace Decor {
namespace {

// One palette for both icons: few colours keep them crisp at 16 pixels.
const QVector<QRgb> iconPalette = {
    qRgba(0, 0, 0, 0),        // transparent
    qRgb(0, 0, 0),            // outline
    qRgb(52, 60, 78),         // body, dark
    qRgb(86, 98, 124),        // body
    qRgb(140, 152, 176),      // body, light edge
    qRgb(150, 186, 96),       // screen
    qRgb(196, 222, 140),      // screen, lit
    qRgb(38, 62, 30),         // screen ink
    qRgb(220, 222, 228),      // keys
    qRgb(255, 255, 255),      // shine
    qRgb(208, 72, 56),        // red key, highlight
    qRgb(86, 168, 88),        // green key
    qRgb(236, 184, 64),       // pencil
};
enum Ink { Clear, Outline, BodyDark, Body, BodyLight, Screen, ScreenLit, ScreenInk, Key, Shine,
           Red, Green, Pencil };

// Draws in a 16-unit grid scaled to the icon's size, without smoothing, so that
// every pixel takes one palette colour exactly.
class IconPainter {
public:
    explicit IconPainter(int size)
        : m_image(size, size, QImage::Format_ARGB32), m_scale(size / 16.0)
    {
        m_image.fill(Qt::transparent);
    }
    void rect(double x, double y, double w, double h, Ink ink)
    {
        const int left = qRound(x * m_scale), top = qRound(y * m_scale);
        const int right = qMax(left + 1, qRound((x + w) * m_scale));
        const int bottom = qMax(top + 1, qRound((y + h) * m_scale));
        for (int py = top; py < bottom && py < m_image.height(); ++py)
            for (int px = left; px < right && px < m_image.width(); ++px)
                m_image.setPixel(px, py, iconPalette[ink]);
    }
    void outlined(double x, double y, double w, double h, Ink fill)
    {
        rect(x, y, w, h, Outline);
        const double edge = 1.0 / m_scale;   // one pixel at every size
        rect(x + edge, y + edge, w - 2 * edge, h - 2 * edge, fill);
    }
    QImage indexed() const
    {
        QImage out(m_image.size(), QImage::Format_Indexed8);
        out.setColorTable(iconPalette);
        for (int y = 0; y < m_image.height(); ++y)
            for (int x = 0; x < m_image.width(); ++x)
                out.setPixel(x, y, iconPalette.indexOf(m_image.pixel(x, y)));
        return out;
    }
    bool large() const { return m_image.width() >= 32; }

private:
    QImage m_image;
    double m_scale;
};

// The phone both icons share; the screen is left for the caller.
void drawPhone(IconPainter &p)
{
    p.rect(11, 0, 1.5, 3, Outline);         // antenna
    p.outlined(3, 2, 10, 14, Body);
    p.rect(4, 3, 1, 12, BodyLight);
    p.outlined(4.5, 3.5, 7, 5.5, Screen);
    const Ink keys[3] = {Green, Key, Red};
    for (int col = 0; col < 3; ++col)
        p.rect(5 + col * 2.2, 10, 1.5, 1, keys[col]);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.rect(5 + col * 2.2, 12 + row * 1.8, 1.5, 1, Key);
}

} // namespace

QImage backdrop()
{
    const int width = 400, height = 340;
    QImage image(width, height, QImage::Format_RGB32);
    const QColor top(184, 198, 208), bottom(222, 214, 196);
    for (int y = 0; y < height; ++y) {
        const double t = double(y) / (height - 1);
        for (int x = 0; x < width; ++x) {
            const double s = double(x) / (width - 1);
            // A soft diagonal weave, a few levels brighter, and a light corner.
            const bool weave = (x + y) % 14 == 0 || (x - y + 1400) % 14 == 0;
            const int lift = (weave ? 6 : 0) + int(10 * (1 - s) * (1 - t));
            auto mix = [&](int a, int b) { return qBound(0, int(a + (b - a) * t) + lift, 255); };
            image.setPixel(x, y, qRgb(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()),
                                      mix(top.blue(), bottom.blue())));
        }
    }
    return image;
}

QImage appIcon(int size)
{
    IconPainter p(size);
    drawPhone(p);
    p.rect(5.5, 4.5, 5, 1, ScreenLit);   // a line of text on the screen
    p.rect(5.5, 6.5, 3, 1, ScreenInk);
    if (p.large())
        p.rect(12.5, 1, 1, 1, Shine);
    return p.indexed();
}

QImage makerIcon(int size)
{
    IconPainter p(size);
    drawPhone(p);
    p.rect(4.5, 3.5, 7, 5.5, Outline);
    p.rect(5, 4, 6, 4.5, ScreenLit);
    // The menu grid: three columns and two rows of little tiles, one highlighted.
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.rect(5.3 + col * 2, 4.4 + row * 2.1, 1.4, 1.6, row == 0 && col == 1 ? Red : ScreenInk);
    // A pencil across the corner: the maker builds the menu.
    for (int i = 0; i < 5; ++i)
        p.rect(10 + i, 14 - i, 1.2, 1.2, Pencil);
    p.rect(9, 15, 1, 1, Outline);
    return p.indexed();
}

} // namespace Decor
