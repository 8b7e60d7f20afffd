#pragma once

// A black-and-white drawing surface with the few primitives a phone display
// needs. Everything is drawn pixel by pixel, so the same calls give the same
// bytes on every run and every machine.

#include <QImage>
#include <QRect>
#include <QString>

#include <initializer_list>

class Canvas {
public:
    Canvas(int width, int height);   // all white

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage &image() const { return m_image; }

    // Drawing stays inside the clip rectangle (the whole canvas by default).
    void setClip(const QRect &clip) { m_clip = clip.intersected(m_image.rect()); }
    void resetClip() { m_clip = m_image.rect(); }

    void set(int x, int y, bool black = true);
    bool isBlack(int x, int y) const;
    void fill(const QRect &rect, bool black = true);
    void frame(const QRect &rect, bool black = true);   // one pixel wide outline
    void invert(const QRect &rect);
    void line(int x0, int y0, int x1, int y1, bool black = true);
    void circle(int cx, int cy, int radius, bool black = true);
    void disc(int cx, int cy, int radius, bool black = true);
    // Rows of '#' (ink) and '.' (left alone), each pixel drawn as scale x scale.
    void pattern(int x, int y, std::initializer_list<const char *> rows, int scale = 1,
                 bool black = true);
    // Copies another canvas in at (x, y), every pixel, white ones included.
    void paste(int x, int y, const Canvas &other);

private:
    QImage m_image;
    QRect m_clip;
};
