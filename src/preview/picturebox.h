#pragma once

#include <QImage>
#include <QWidget>

// A clickable picture: a preview of a catalogue window, or one of Form7's images.
// It shows its still until something draws over its surface; that drawing is not
// retained, so whenever the box is shown again it shows its still.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    PictureBox(const QString &name, const QImage &still, QWidget *parent);

    const QImage &still() const { return m_still; }

    // What the box shows now, in 32-bit RGB; frame copies land here.
    QImage &surface() { return m_surface; }
    // Call after drawing on the surface.
    void surfaceChanged() { update(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QImage m_still;
    QImage m_surface;
};
