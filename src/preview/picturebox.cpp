#include "picturebox.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstring>

PictureBox::PictureBox(const QString &name, const QImage &still, QWidget *parent)
    : QWidget(parent)
    , m_still(still.convertToFormat(QImage::Format_RGB32))
    , m_surface(m_still.copy())   // a buffer of its own: drawing on it never detaches
{
    setObjectName(name);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureBox::showEvent(QShowEvent *event)
{
    // Back to the still, in the same buffer (the surface is a copy of the still and is
    // never resized), so that the next frame copy needs no new one.
    std::memcpy(m_surface.bits(), m_still.constBits(), size_t(m_still.sizeInBytes()));
    QWidget::showEvent(event);
}
