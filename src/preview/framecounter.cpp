#include "framecounter.h"

FrameCounter::FrameCounter(bool startsEmpty)
{
    if (!startsEmpty)
        m_value = 0;
}

FrameCounter::Frames FrameCounter::tick(const qint16 *limits, int pairCount)
{
    Q_ASSERT(pairCount <= maxPairs);
    Frames frames;
    frames.count = pairCount;
    tickEach(pairCount, [limits](int i) { return limits[i]; },
             [&frames](int i, qint16 frame) { frames.frame[i] = frame; });
    return frames;
}
