#pragma once

// The colour pictures of the window frame: the backdrop and the two icons.

#include <QImage>

namespace Decor {

QImage backdrop();                 // 400 x 340, muted, for black text and buttons on top
QImage appIcon(int size);          // a little phone; indexed, 16 colours at most
QImage makerIcon(int size);        // a phone whose screen shows a menu grid; indexed

} // namespace Decor
