#include "picturebox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(const QString &name, const QImage &still, QWidget *parent)
    : QWidget(parent)
    , m_still(still.convertToFormat(QImage::Format_RGB32))
    , m_surface(m_still)
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
    m_surface = m_still;
    QWidget::showEvent(event);
}
