#include "formwindow.h"

#include <QGuiApplication>
#include <QWindow>

#include <windows.h>
#include <dwmapi.h>

// The system knows the frame from the moment the native window exists. Qt's own
// figure takes the invisible borders of a resizable frame off every framed window,
// which leaves these fixed borders too small a frame; so the system itself is
// asked: for the part of the window that the desktop draws, or else for the
// window's rectangle.
QMargins FormWindow::systemFrame() const
{
    if (QGuiApplication::platformName() != QLatin1String("windows"))
        return windowHandle()->frameMargins();   // offscreen, as in the tests

    const auto hwnd = reinterpret_cast<HWND>(winId());
    RECT frame, drawn, client;
    POINT origin{0, 0};
    if (!GetWindowRect(hwnd, &frame) || !GetClientRect(hwnd, &client) || !ClientToScreen(hwnd, &origin))
        return {};
    if (SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &drawn, sizeof drawn))
        && !IsRectEmpty(&drawn))
        frame = drawn;
    const qreal ratio = devicePixelRatioF();   // the system counts device pixels
    return QMargins(qRound((origin.x - frame.left) / ratio), qRound((origin.y - frame.top) / ratio),
                    qRound((frame.right - origin.x - client.right) / ratio),
                    qRound((frame.bottom - origin.y - client.bottom) / ratio));
}
