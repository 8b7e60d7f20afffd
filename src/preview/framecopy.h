#pragma once

#include <QImage>

// The frame copy of the animation: a plain rectangle copy between two images in
// the previews' 32-bit format, without a painter, so that a tick costs a few row
// copies and allocates nothing.
namespace FrameCopy {

// A strip as the window holds it for its whole life: decoded once and converted to
// the previews' format. A null picture (one that could not be loaded) stays null.
QImage prepareStrip(const QImage &picture);

// Copies the width x height rectangle of `strip` whose top-left corner is
// (sourceX, 0) onto `surface` at (0, 0), clipped to both images: nothing outside
// the strip is read and nothing outside the surface is written. Where the strip
// delivers no pixels the surface keeps what it showed before. Both images must be
// Format_RGB32; anything else copies nothing.
void copyFrame(const QImage &strip, int sourceX, int width, int height, QImage &surface);

} // namespace FrameCopy
