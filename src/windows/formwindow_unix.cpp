#include "formwindow.h"

#include <QWindow>

// Under X11 a window manager frames the window once it is shown; until then Qt
// knows no frame.
QMargins FormWindow::systemFrame() const
{
    return windowHandle()->frameMargins();
}
