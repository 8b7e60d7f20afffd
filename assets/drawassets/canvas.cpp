#include "canvas.h"

#include <cstdlib>

namespace {
const QRgb ink = qRgb(0, 0, 0);
const QRgb paper = qRgb(255, 255, 255);
}

Canvas::Canvas(int width, int height)
    : m_image(width, height, QImage::Format_RGB32), m_clip(0, 0, width, height)
{
    m_image.fill(paper);
}

void Canvas::set(int x, int y, bool black)
{
    if (m_clip.contains(x, y))
        m_image.setPixel(x, y, black ? ink : paper);
}

bool Canvas::isBlack(int x, int y) const
{
    return m_image.rect().contains(x, y) && (m_image.pixel(x, y) & 0xffffff) == 0;
}

void Canvas::fill(const QRect &rect, bool black)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            set(x, y, black);
}

void Canvas::frame(const QRect &rect, bool black)
{
    for (int x = rect.left(); x <= rect.right(); ++x) {
        set(x, rect.top(), black);
        set(x, rect.bottom(), black);
    }
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        set(rect.left(), y, black);
        set(rect.right(), y, black);
    }
}

void Canvas::invert(const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (m_clip.contains(x, y))
                set(x, y, !isBlack(x, y));
}

void Canvas::line(int x0, int y0, int x1, int y1, bool black)
{
    // Bresenham: integers only.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, black);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void Canvas::circle(int cx, int cy, int radius, bool black)
{
    int x = radius, y = 0, err = 1 - radius;
    while (x >= y) {
        const int pts[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto &p : pts)
            set(cx + p[0], cy + p[1], black);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

void Canvas::disc(int cx, int cy, int radius, bool black)
{
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x)
            if (x * x + y * y <= radius * radius + radius)
                set(cx + x, cy + y, black);
}

void Canvas::pattern(int x, int y, std::initializer_list<const char *> rows, int scale, bool black)
{
    int row = 0;
    for (const char *r : rows) {
        for (int col = 0; r[col]; ++col)
            if (r[col] == '#')
                fill(QRect(x + col * scale, y + row * scale, scale, scale), black);
        ++row;
    }
}

void Canvas::paste(int x, int y, const Canvas &other)
{
    for (int oy = 0; oy < other.height(); ++oy)
        for (int ox = 0; ox < other.width(); ++ox)
            set(x + ox, y + oy, other.isBlack(ox, oy));
}
