#include "framecopy.h"

#include <algorithm>
#include <cstring>

namespace FrameCopy {

QImage prepareStrip(const QImage &picture)
{
    if (picture.isNull())
        return {};
    return picture.convertToFormat(QImage::Format_RGB32);
}

void copyFrame(const QImage &strip, int sourceX, int width, int height, QImage &surface)
{
    if (strip.format() != QImage::Format_RGB32 || surface.format() != QImage::Format_RGB32)
        return;

    // Source columns that exist in the strip, and where they land on the surface.
    const int firstSourceX = std::max(sourceX, 0);
    const int destX = firstSourceX - sourceX;
    const int columns = std::min(sourceX + width, strip.width()) - firstSourceX;
    const int fitting = std::min(columns, surface.width() - destX);
    const int rows = std::min({height, strip.height(), surface.height()});
    if (fitting <= 0 || rows <= 0)
        return;

    constexpr int bytesPerPixel = 4;
    for (int y = 0; y < rows; ++y)
        std::memcpy(surface.scanLine(y) + destX * bytesPerPixel,
                    strip.constScanLine(y) + firstSourceX * bytesPerPixel,
                    size_t(fitting) * bytesPerPixel);
}

} // namespace FrameCopy
