#pragma once

#include <QtGlobal>
#include <array>
#include <optional>

// The frame counter `frameIndex` that all previews of an animated window share, and
// the frame choice of one tick: the counter is raised first, then each pair in tick
// order tests it against its own wrap limit right before it draws, so a reset by
// one pair makes it and every later pair of the same tick draw frame 0.
class FrameCounter
{
public:
    static constexpr int maxPairs = 6;

    // The frames that one tick hands to its pairs, in tick order.
    struct Frames {
        std::array<qint16, maxPairs> frame{};
        int count = 0;
    };

    // Form8 and german start with an empty counter, the others with 0; the first
    // increment treats empty as 0, so both kinds behave alike.
    explicit FrameCounter(bool startsEmpty = false);

    bool isEmpty() const { return !m_value.has_value(); }
    qint16 value() const { return m_value.value_or(0); }   // 0 while empty

    // One tick over pairs with these limits (in tick order, at most maxPairs).
    Frames tick(const qint16 *limits, int pairCount);

    // The same tick for a window: limitOf(i) gives pair i's limit, and draw(i, frame)
    // runs for pair i before pair i + 1 is tested.
    template <class LimitOf, class Draw>
    void tickEach(int pairCount, LimitOf &&limitOf, Draw &&draw)
    {
        raise();
        for (int i = 0; i < pairCount; ++i)
            draw(i, frameFor(limitOf(i)));
    }

private:
    void raise() { m_value = qint16(value() + 1); }

    // Strictly greater resets: a counter equal to the limit is drawn as it is.
    qint16 frameFor(qint16 limit)
    {
        if (*m_value > limit)
            m_value = 0;
        return *m_value;
    }

    std::optional<qint16> m_value;
};
