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
    // Back to the still, in the same buffer, so that the next frame copy needs no new one.
    if (m_surface.size() == m_still.size() && m_surface.format() == m_still.format())
        std::memcpy(m_surface.bits(), m_still.constBits(), size_t(m_still.sizeInBytes()));
    else
        m_surface = m_still.copy();
    QWidget::showEvent(event);
}
