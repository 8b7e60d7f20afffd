// The frame choice of a tick and the clipped frame copy, without windows.

#include "preview/framecopy.h"
#include "preview/framecounter.h"
#include "windows/catalogue.h"

#include <QTest>

class FrameTickTest : public QObject
{
    Q_OBJECT
private slots:
    void framesOverTwoCycles_data();
    void framesOverTwoCycles();
    void emptyCounterStartsLikeZero();
    void clippedCopy_data();
    void clippedCopy();
    void stripsArePreparedOnce();
};

namespace {

// "1 2 3 | 1 2 3" -> {1, 2, 3, 1, 2, 3}; the bar only separates the cycles for the reader.
QList<int> framesOf(const QString &text)
{
    QList<int> frames;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (word != QLatin1String("|"))
            frames << word.toInt();
    return frames;
}

// The limits of one window's pairs in tick order, as the catalogue gives them.
std::vector<qint16> limitsOf(const Catalogue::CatalogueRow &row)
{
    std::vector<qint16> limits;
    for (const Catalogue::AnimationPair &pair : row.pairs)
        limits.push_back(qint16(pair.wrapLimit));
    return limits;
}

constexpr QRgb marker = 0xff123456;

// Every pixel different from its neighbours and from the marker.
QImage numberedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 0xff, x >> 8, y));
    return image;
}

} // namespace

void FrameTickTest::framesOverTwoCycles_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("pair");         // place in tick order
    QTest::addColumn<QString>("preview");
    QTest::addColumn<QString>("frames");   // drawn by the first two cycles of ticks

    QTest::newRow("Form2 p1") << "Form2" << 0 << "p1"
        << "1 2 3 4 5 6 7 8 9 10 11 12 | 1 2 3 4 5 6 7 8 9 10 11 12";
    QTest::newRow("Form2 p2") << "Form2" << 1 << "p2"
        << "1 2 3 4 5 6 7 8 9 10 11 12 | 1 2 3 4 5 6 7 8 9 10 11 12";
    QTest::newRow("Form2 p3") << "Form2" << 2 << "p3"
        << "1 2 3 4 5 6 7 8 9 10 11 0 | 1 2 3 4 5 6 7 8 9 10 11 0";
    QTest::newRow("Form2 p4") << "Form2" << 3 << "p4"
        << "1 2 3 4 5 6 7 8 9 10 11 0 | 1 2 3 4 5 6 7 8 9 10 11 0";
    QTest::newRow("Form2 p5") << "Form2" << 4 << "p5"
        << "1 2 3 4 5 6 7 8 9 10 11 0 | 1 2 3 4 5 6 7 8 9 10 11 0";
    QTest::newRow("Form2 p6") << "Form2" << 5 << "p6"
        << "1 2 3 4 5 6 7 8 9 10 11 0 | 1 2 3 4 5 6 7 8 9 10 11 0";

    QTest::newRow("Form3 p1") << "Form3" << 0 << "p1"
        << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 | 1 2 3 4 5 6 7 8 9 10 11 12 13 14 0";
    QTest::newRow("Form3 p2") << "Form3" << 1 << "p2"
        << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 | 1 2 3 4 5 6 7 8 9 10 11 12 13 14 0";
    QTest::newRow("Form3 p3") << "Form3" << 2 << "p3"
        << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 | 1 2 3 4 5 6 7 8 9 10 11 12 13 14 0";

    QTest::newRow("Form4 p1") << "Form4" << 0 << "p1"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("Form4 p2") << "Form4" << 1 << "p2"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("Form4 p3") << "Form4" << 2 << "p3"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("Form4 P4") << "Form4" << 3 << "P4"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("Form4 p5") << "Form4" << 4 << "p5"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";

    QTest::newRow("Form5 p1") << "Form5" << 0 << "p1"
        << "1 2 3 4 5 6 7 8 9 10 11 12 0 | 1 2 3 4 5 6 7 8 9 10 11 12 0";
    QTest::newRow("Form5 p2") << "Form5" << 1 << "p2"
        << "1 2 3 4 5 6 7 8 9 10 11 12 0 | 1 2 3 4 5 6 7 8 9 10 11 12 0";
    QTest::newRow("Form5 p3") << "Form5" << 2 << "p3"
        << "1 2 3 4 5 6 7 8 9 10 11 12 0 | 1 2 3 4 5 6 7 8 9 10 11 12 0";
    QTest::newRow("Form5 p4") << "Form5" << 3 << "p4"
        << "1 2 3 4 5 6 7 8 9 10 11 12 0 | 1 2 3 4 5 6 7 8 9 10 11 12 0";
    QTest::newRow("Form5 p5") << "Form5" << 4 << "p5"
        << "1 2 3 4 5 6 7 8 9 10 11 12 0 | 1 2 3 4 5 6 7 8 9 10 11 12 0";
    QTest::newRow("Form5 p6") << "Form5" << 5 << "p6"
        << "1 2 3 4 5 6 7 8 9 10 11 12 0 | 1 2 3 4 5 6 7 8 9 10 11 12 0";

    // Frame 11 of p3's twelve-frame strip is never drawn: p1 resets the counter first.
    QTest::newRow("Form8 p1") << "Form8" << 0 << "p1"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("Form8 p2") << "Form8" << 1 << "p2"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("Form8 p3") << "Form8" << 2 << "p3"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";

    // p2 is served before p1.
    QTest::newRow("cz2 p2 first") << "cz2" << 0 << "p2"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("cz2 p1 second") << "cz2" << 1 << "p1"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("cz2 p3") << "cz2" << 2 << "p3"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";

    QTest::newRow("german p1") << "german" << 0 << "p1"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("german p2") << "german" << 1 << "p2"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("german p3") << "german" << 2 << "p3"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
    QTest::newRow("german p4") << "german" << 3 << "p4"
        << "1 2 3 4 5 6 7 8 9 10 0 | 1 2 3 4 5 6 7 8 9 10 0";
}

void FrameTickTest::framesOverTwoCycles()
{
    QFETCH(QString, window);
    QFETCH(int, pair);
    QFETCH(QString, preview);
    QFETCH(QString, frames);

    const Catalogue::CatalogueRow *row = Catalogue::window(window);
    QVERIFY(row);
    QCOMPARE(row->pairs.at(size_t(pair)).preview, preview);
    const std::vector<qint16> limits = limitsOf(*row);

    FrameCounter counter(row->counterStartsEmpty);
    const QList<int> expected = framesOf(frames);
    QList<int> drawn;
    for (int t = 0; t < expected.size(); ++t) {
        const FrameCounter::Frames tick = counter.tick(limits.data(), int(limits.size()));
        QCOMPARE(tick.count, int(limits.size()));
        drawn << tick.frame[size_t(pair)];
    }
    QCOMPARE(drawn, expected);

    // Every cycle's last tick leaves the counter at its reset, 0.
    QVERIFY(!counter.isEmpty());
    QCOMPARE(counter.value(), qint16(0));
}

void FrameTickTest::emptyCounterStartsLikeZero()
{
    const qint16 limits[] = {10, 10, 12};
    FrameCounter empty(true);
    FrameCounter zero(false);
    QVERIFY(empty.isEmpty());
    QCOMPARE(empty.value(), qint16(0));
    QVERIFY(!zero.isEmpty());

    const FrameCounter::Frames first = empty.tick(limits, 3);
    QVERIFY(!empty.isEmpty());
    QCOMPARE(empty.value(), qint16(1));
    QCOMPARE(first.count, 3);
    QCOMPARE(first.frame[0], qint16(1));
    QCOMPARE(first.frame[1], qint16(1));
    QCOMPARE(first.frame[2], qint16(1));

    // From then on the two kinds cannot be told apart.
    zero.tick(limits, 3);
    for (int t = 0; t < 30; ++t) {
        const FrameCounter::Frames a = empty.tick(limits, 3);
        const FrameCounter::Frames b = zero.tick(limits, 3);
        QVERIFY(a.frame == b.frame);
        QCOMPARE(empty.value(), zero.value());
        QVERIFY(!empty.isEmpty());
    }

    // Each pair draws before the next pair is tested: the pair that resets and
    // every later one see 0, the earlier ones the raised value.
    FrameCounter counter;
    const qint16 mixed[] = {13, 11, 13};
    QList<int> order;
    for (int t = 0; t < 12; ++t) {
        order.clear();
        counter.tickEach(3, [&](int i) { return mixed[i]; },
                         [&](int i, qint16 frame) { order << i << frame; });
    }
    QCOMPARE(order, (QList<int>{0, 12, 1, 0, 2, 0}));
}

void FrameTickTest::clippedCopy_data()
{
    QTest::addColumn<int>("stripWidth");
    QTest::addColumn<int>("stripHeight");
    QTest::addColumn<int>("surfaceWidth");
    QTest::addColumn<int>("surfaceHeight");
    QTest::addColumn<int>("frameWidth");
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("copiedColumns");
    QTest::addColumn<int>("copiedRows");

    QTest::newRow("whole frame") << 1212 << 80 << 101 << 80 << 101 << 1 << 101 << 80;
    QTest::newRow("last whole frame") << 1212 << 80 << 101 << 80 << 101 << 11 << 101 << 80;
    QTest::newRow("frame 9 of 1009 loses its last column") << 1009 << 80 << 101 << 80 << 101 << 9 << 100 << 80;
    QTest::newRow("frame 10 of 1010 lies past the end") << 1010 << 80 << 101 << 80 << 101 << 10 << 0 << 0;
    QTest::newRow("frame 14 of 1010 lies past the end") << 1010 << 80 << 101 << 80 << 101 << 14 << 0 << 0;
    QTest::newRow("frame 12 of 1212 lies past the end") << 1212 << 80 << 101 << 80 << 101 << 12 << 0 << 0;
    QTest::newRow("wide frame 13 of 1456") << 1456 << 80 << 104 << 80 << 104 << 13 << 104 << 80;
    QTest::newRow("wide frame 13 of 1352 lies past the end") << 1352 << 80 << 104 << 80 << 104 << 13 << 0 << 0;
    QTest::newRow("82 rows asked of tall images") << 1010 << 90 << 101 << 90 << 101 << 2 << 101 << 82;
    QTest::newRow("short strip") << 1010 << 40 << 101 << 80 << 101 << 3 << 101 << 40;
    QTest::newRow("narrow surface") << 1212 << 80 << 50 << 80 << 101 << 1 << 50 << 80;
    QTest::newRow("small strip, frame partly past") << 7 << 3 << 3 << 2 << 3 << 2 << 1 << 2;
}

void FrameTickTest::clippedCopy()
{
    QFETCH(int, stripWidth);
    QFETCH(int, stripHeight);
    QFETCH(int, surfaceWidth);
    QFETCH(int, surfaceHeight);
    QFETCH(int, frameWidth);
    QFETCH(int, frame);
    QFETCH(int, copiedColumns);
    QFETCH(int, copiedRows);

    const QImage strip = numberedImage(stripWidth, stripHeight);
    QImage surface(surfaceWidth, surfaceHeight, QImage::Format_RGB32);
    surface.fill(marker);
    const uchar *buffer = surface.constBits();

    FrameCopy::copyFrame(strip, frame * frameWidth, frameWidth, Catalogue::copyHeight, surface);

    QCOMPARE(surface.constBits(), buffer);   // drawn in place
    QCOMPARE(surface.size(), QSize(surfaceWidth, surfaceHeight));
    for (int y = 0; y < surfaceHeight; ++y)
        for (int x = 0; x < surfaceWidth; ++x) {
            const bool copied = x < copiedColumns && y < copiedRows;
            const QRgb want = copied ? strip.pixel(frame * frameWidth + x, y) : marker;
            if (surface.pixel(x, y) != want)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3, expected %4")
                                     .arg(x).arg(y).arg(surface.pixel(x, y), 8, 16)
                                     .arg(want, 8, 16)));
        }
}

void FrameTickTest::stripsArePreparedOnce()
{
    // Stored as 1 bit and as 24 bits per pixel, held as the previews' 32 bits.
    QImage mono(16, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(3, 1, 1);
    QImage deep(16, 2, QImage::Format_RGB888);
    deep.fill(Qt::white);
    deep.setPixel(5, 0, qRgb(0, 0, 0));

    for (const QImage &stored : {mono, deep}) {
        const QImage strip = FrameCopy::prepareStrip(stored);
        QCOMPARE(strip.format(), QImage::Format_RGB32);
        QCOMPARE(strip.size(), stored.size());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 16; ++x)
                QCOMPARE(strip.pixel(x, y), stored.pixel(x, y));
    }

    // A strip that could not be loaded stays null and copies nothing; so does a strip
    // or a surface of another format.
    QVERIFY(FrameCopy::prepareStrip(QImage()).isNull());
    QImage surface(4, 2, QImage::Format_RGB32);
    surface.fill(marker);
    FrameCopy::copyFrame(QImage(), 0, 4, Catalogue::copyHeight, surface);
    FrameCopy::copyFrame(mono, 0, 4, Catalogue::copyHeight, surface);
    QCOMPARE(surface.pixel(0, 0), marker);
    QCOMPARE(surface.pixel(3, 1), marker);
    QImage none;
    FrameCopy::copyFrame(numberedImage(8, 2), 0, 4, Catalogue::copyHeight, none);
    QVERIFY(none.isNull());
}

QTEST_APPLESS_MAIN(FrameTickTest)
#include "tst_frametick.moc"
