#pragma once

#include "framecounter.h"
#include "windows/catalogue.h"

#include <QImage>
#include <QObject>
#include <functional>
#include <vector>

class PictureBox;
class QTimer;

// The animation of one catalogue window: its frame strips, held in memory from the
// window's creation, its frame counter and its 500 ms timer, which starts with the
// window and is never stopped, so the previews go on animating while the window is
// hidden. A tick touches nothing but this window's counter and previews.
class PreviewAnimation : public QObject
{
    Q_OBJECT
public:
    // previewOf gives the window's preview of each name in row.pairs.
    PreviewAnimation(const Catalogue::CatalogueRow &row,
                     const std::function<PictureBox *(const QString &)> &previewOf,
                     QObject *parent);

    // Exactly what the timer runs: raise the counter, then for each pair in tick
    // order test it against the pair's limit and copy that frame into the preview.
    void tick();

    qint16 frameIndex() const { return m_counter.value(); }   // 0 while empty
    bool frameIndexIsEmpty() const { return m_counter.isEmpty(); }
    QTimer *timer() const { return m_timer; }

    int pairCount() const { return int(m_pairs.size()); }
    PictureBox *preview(int pair) const { return m_pairs[size_t(pair)].preview; }
    const QImage &strip(int pair) const { return m_pairs[size_t(pair)].strip; }
    int frameWidth(int pair) const { return m_pairs[size_t(pair)].frameWidth; }

private:
    struct Pair {
        PictureBox *preview;
        QImage strip;          // 32-bit, prepared once
        int frameWidth;
        qint16 wrapLimit;
    };

    std::vector<Pair> m_pairs;   // in tick order
    FrameCounter m_counter;
    QTimer *m_timer;
};
