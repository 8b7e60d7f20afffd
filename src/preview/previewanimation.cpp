#include "previewanimation.h"

#include "framecopy.h"
#include "picturebox.h"

#include <QTimer>

PreviewAnimation::PreviewAnimation(const Catalogue::CatalogueRow &row,
                                   const std::function<PictureBox *(const QString &)> &previewOf,
                                   QObject *parent)
    : QObject(parent)
    , m_counter(row.counterStartsEmpty)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("animation"));
    Q_ASSERT(row.pairs.size() <= size_t(FrameCounter::maxPairs));
    m_pairs.reserve(row.pairs.size());
    for (const Catalogue::AnimationPair &pair : row.pairs) {
        PictureBox *preview = previewOf(pair.preview);
        Q_ASSERT(preview);
        // A strip missing from the resources loads as a null image and copies nothing.
        const QImage picture(Catalogue::resource(Catalogue::stripPath(row.name, pair.strip)));
        m_pairs.push_back(Pair{preview, FrameCopy::prepareStrip(picture), pair.frameWidth,
                               qint16(pair.wrapLimit)});
    }

    m_timer->setObjectName(row.timerName);
    m_timer->setInterval(Catalogue::tickIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &PreviewAnimation::tick);
    m_timer->start();
}

void PreviewAnimation::tick()
{
    m_counter.tickEach(
        pairCount(), [this](int i) { return m_pairs[size_t(i)].wrapLimit; },
        [this](int i, qint16 frame) {
            Pair &pair = m_pairs[size_t(i)];
            FrameCopy::copyFrame(pair.strip, int(frame) * pair.frameWidth, pair.frameWidth,
                                 Catalogue::copyHeight, pair.preview->surface());
            pair.preview->surfaceChanged();
        });
}
