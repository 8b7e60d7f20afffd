// The embedded pictures, checked against the catalogue table: sizes, stored bit
// depths, black and white previews, stills that are exact cuts of their strips,
// animations that move, icons within their colour limits and a file list that
// holds every picture the table needs.

#include "windows/catalogue.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <QtTest>

namespace {

struct BmpHeader {
    bool valid = false;
    int width = 0, height = 0, bitsPerPixel = 0;
};

// Read from the file's own bytes: what is stored, not what the reader makes of it.
BmpHeader bmpHeader(const QString &relativePath)
{
    QFile file(Catalogue::resource(relativePath));
    BmpHeader h;
    if (!file.open(QIODevice::ReadOnly))
        return h;
    const QByteArray bytes = file.read(54);
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return h;
    h.valid = true;
    h.width = qFromLittleEndian<qint32>(bytes.constData() + 18);
    h.height = qFromLittleEndian<qint32>(bytes.constData() + 22);
    h.bitsPerPixel = qFromLittleEndian<quint16>(bytes.constData() + 28);
    return h;
}

QImage load(const QString &relativePath)
{
    return QImage(Catalogue::resource(relativePath)).convertToFormat(QImage::Format_RGB32);
}

// Counts of black and of white pixels; -1 if any pixel is neither.
QPair<int, int> blackAndWhite(const QImage &image)
{
    int black = 0, white = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y) & 0xffffff;
            if (rgb == 0)
                ++black;
            else if (rgb == 0xffffff)
                ++white;
            else
                return {-1, -1};
        }
    }
    return {black, white};
}

const Catalogue::AnimationPair *pairOf(const Catalogue::CatalogueRow &window, const QString &strip)
{
    for (const Catalogue::AnimationPair &pair : window.pairs)
        if (pair.strip == strip)
            return &pair;
    return nullptr;
}

QImage frame(const QImage &strip, const Catalogue::AnimationPair &pair, int k, int width)
{
    return strip.copy(k * pair.frameWidth, 0, width, Catalogue::frameHeight);
}

} // namespace

class TstAssets : public QObject {
    Q_OBJECT

private slots:
    void strips_data();
    void strips();
    void stills_data();
    void stills();
    void stillsOfAWindowDiffer_data();
    void stillsOfAWindowDiffer();
    void repeatedFrames_data();
    void repeatedFrames();
    void systemGraphics_data();
    void systemGraphics();
    void backdrop();
    void icons_data();
    void icons();
    void programIconFile();
    void fileListHoldsEveryPicture();
};

void TstAssets::strips_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("strip");
    for (const Catalogue::CatalogueRow &w : Catalogue::windows())
        for (const Catalogue::AnimationPair &p : w.pairs)
            QTest::newRow(qPrintable(w.name + QLatin1Char('/') + p.strip)) << w.name << p.strip;
}

void TstAssets::strips()
{
    QFETCH(QString, window);
    QFETCH(QString, strip);
    const Catalogue::CatalogueRow &row = *Catalogue::window(window);
    const Catalogue::AnimationPair &pair = *pairOf(row, strip);
    const QString path = Catalogue::stripPath(window, strip);

    const BmpHeader header = bmpHeader(path);
    QVERIFY2(header.valid, qPrintable(path));
    QCOMPARE(header.width, pair.stripWidth);
    QCOMPARE(header.height, Catalogue::frameHeight);
    QCOMPARE(header.bitsPerPixel, pair.stripDepth);

    const QImage image = load(path);
    QCOMPARE(image.size(), QSize(pair.stripWidth, Catalogue::frameHeight));
    const auto [black, white] = blackAndWhite(image);
    QVERIFY2(black > 0 && white > 0, "a strip holds black and white pixels and nothing else");

    // Each tick must show something new: no frame equals the one before it
    // (a cut last frame is compared over the columns it has).
    for (int k = 1; k < pair.frameCount(); ++k) {
        const int width = qMin(pair.frameWidth, pair.stripWidth - k * pair.frameWidth);
        QVERIFY2(frame(image, pair, k, width) != frame(image, pair, k - 1, width),
                 qPrintable(QStringLiteral("frame %1 repeats frame %2").arg(k).arg(k - 1)));
    }
}

void TstAssets::stills_data()
{
    strips_data();
}

void TstAssets::stills()
{
    QFETCH(QString, window);
    QFETCH(QString, strip);
    const Catalogue::CatalogueRow &row = *Catalogue::window(window);
    const Catalogue::AnimationPair &pair = *pairOf(row, strip);
    const QString path = Catalogue::stillPath(window, pair.preview);

    const BmpHeader header = bmpHeader(path);
    QVERIFY2(header.valid, qPrintable(path));
    QCOMPARE(header.width, pair.frameWidth);
    QCOMPARE(header.height, Catalogue::frameHeight);
    QCOMPARE(header.bitsPerPixel, pair.stillDepth);
    // The preview the still sits in is exactly one frame in size.
    QCOMPARE(row.picture(pair.preview)->pixelRect().size(),
             QSize(pair.frameWidth, Catalogue::frameHeight));

    const QImage still = load(path);
    QCOMPARE(still.size(), QSize(pair.frameWidth, Catalogue::frameHeight));
    QVERIFY(blackAndWhite(still).first > 0);
    const QImage stripImage = load(Catalogue::stripPath(window, strip));
    QVERIFY(pair.stillX + pair.frameWidth <= stripImage.width());
    QCOMPARE(still, stripImage.copy(pair.stillX, 0, pair.frameWidth, Catalogue::frameHeight));
}

void TstAssets::stillsOfAWindowDiffer_data()
{
    QTest::addColumn<QString>("window");
    for (const Catalogue::CatalogueRow &w : Catalogue::windows())
        QTest::newRow(qPrintable(w.name)) << w.name;
}

// Every picture stands for another patch, so no two of a window look alike.
void TstAssets::stillsOfAWindowDiffer()
{
    QFETCH(QString, window);
    const Catalogue::CatalogueRow &row = *Catalogue::window(window);
    QList<QImage> stills;
    for (const Catalogue::Picture &picture : row.pictures)
        stills << load(Catalogue::stillPath(window, picture.name));
    for (int i = 0; i < stills.size(); ++i)
        for (int j = i + 1; j < stills.size(); ++j)
            QVERIFY2(stills[i] != stills[j],
                     qPrintable(row.pictures[i].name + QStringLiteral(" looks like ")
                                + row.pictures[j].name));
}

void TstAssets::repeatedFrames_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("strip");
    QTest::addColumn<int>("later");
    QTest::newRow("Form4/d1 frame 5") << QStringLiteral("Form4") << QStringLiteral("d1") << 5;
    QTest::newRow("Form4/e1 frame 9") << QStringLiteral("Form4") << QStringLiteral("e1") << 9;
}

// Some animations come back to their first picture inside the strip, so the
// still (frame 0) also stands for that later frame.
void TstAssets::repeatedFrames()
{
    QFETCH(QString, window);
    QFETCH(QString, strip);
    QFETCH(int, later);
    const Catalogue::AnimationPair &pair = *pairOf(*Catalogue::window(window), strip);
    QVERIFY(later < pair.frameCount());
    const QImage image = load(Catalogue::stripPath(window, strip));
    QCOMPARE(frame(image, pair, later, pair.frameWidth), frame(image, pair, 0, pair.frameWidth));
    QCOMPARE(load(Catalogue::stillPath(window, pair.preview)),
             frame(image, pair, later, pair.frameWidth));
}

void TstAssets::systemGraphics_data()
{
    QTest::addColumn<QString>("picture");
    for (const Catalogue::Picture &p : Catalogue::window(QStringLiteral("Form7"))->pictures)
        QTest::newRow(qPrintable(p.name)) << p.name;
}

void TstAssets::systemGraphics()
{
    QFETCH(QString, picture);
    const Catalogue::Picture &entry = *Catalogue::window(QStringLiteral("Form7"))->picture(picture);
    const QString path = Catalogue::stillPath(QStringLiteral("Form7"), picture);
    const QSize size = entry.pixelRect().size();

    const BmpHeader header = bmpHeader(path);
    QVERIFY2(header.valid, qPrintable(path));
    QCOMPARE(QSize(header.width, header.height), size);
    QCOMPARE(header.bitsPerPixel, 1);
    const QImage image = load(path);
    QCOMPARE(image.size(), size);
    const auto [black, white] = blackAndWhite(image);
    QVERIFY2(black > 0 && white > 0, "black and white only, and not blank");
}

void TstAssets::backdrop()
{
    QFile file(Catalogue::resource(Catalogue::backdropPath()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.peek(3) == QByteArray("\xff\xd8\xff", 3));
    QImageReader reader(&file);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(400, 340));
    // Black text stays readable on it: no part of it is dark.
    int darkest = 255;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            darkest = qMin(darkest, qGray(image.pixel(x, y)));
    QVERIFY2(darkest > 128, qPrintable(QString::number(darkest)));
}

void TstAssets::icons_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("maxColours");
    for (int size : {16, 32})
        QTest::newRow(qPrintable(QStringLiteral("appIcon %1").arg(size)))
            << Catalogue::appIconPath(size) << size << 16;
    for (int size : {16, 24, 32, 48})
        QTest::newRow(qPrintable(QStringLiteral("makerIcon %1").arg(size)))
            << Catalogue::makerIconPath(size) << size << 256;
}

void TstAssets::icons()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QFETCH(int, maxColours);
    QFile file(Catalogue::resource(path));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.peek(8) == QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QImage image = QImage::fromData(file.readAll(), "PNG");
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(image.format(), QImage::Format_Indexed8);   // stored with a palette
    QVERIFY(image.colorCount() <= maxColours);
    QSet<QRgb> used;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            used.insert(image.pixel(x, y));
    QVERIFY(used.size() <= maxColours);
    QVERIFY2(used.size() >= 4, "an icon is a drawing, not a blot");
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);   // it stands on the frame's own colour
}

// The Windows program's own icon (assets/windows/appIcon.ico) holds the two
// appIcon pictures the windows show, so Explorer and the title bars agree.
void TstAssets::programIconFile()
{
    QFile file(QStringLiteral(SOURCE_DIR "/assets/windows/appIcon.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    const auto field16 = [&](int offset) { return qFromLittleEndian<quint16>(ico.constData() + offset); };
    const auto field32 = [&](int offset) { return qFromLittleEndian<quint32>(ico.constData() + offset); };
    QVERIFY(ico.size() > 6 + 2 * 16);
    QCOMPARE(field16(0), quint16(0));
    QCOMPARE(field16(2), quint16(1));   // an icon, not a cursor
    QCOMPARE(field16(4), quint16(2));
    const int sizes[] = {16, 32};
    for (int i = 0; i < 2; ++i) {
        const int entry = 6 + 16 * i;
        QCOMPARE(int(quint8(ico.at(entry))), sizes[i]);
        QCOMPARE(int(quint8(ico.at(entry + 1))), sizes[i]);
        const quint32 length = field32(entry + 8), offset = field32(entry + 12);
        QVERIFY(offset + length <= quint32(ico.size()));
        QFile picture(Catalogue::resource(Catalogue::appIconPath(sizes[i])));
        QVERIFY(picture.open(QIODevice::ReadOnly));
        QCOMPARE(ico.mid(offset, length), picture.readAll());
    }
}

// The build embeds what assets.cmake lists; it must list what the table needs,
// and the program must hold exactly those pictures.
void TstAssets::fileListHoldsEveryPicture()
{
    QSet<QString> needed{Catalogue::backdropPath()};
    for (int size : {16, 32})
        needed.insert(Catalogue::appIconPath(size));
    for (int size : {16, 24, 32, 48})
        needed.insert(Catalogue::makerIconPath(size));
    for (const Catalogue::CatalogueRow &w : Catalogue::windows()) {
        for (const Catalogue::Picture &p : w.pictures)
            needed.insert(Catalogue::stillPath(w.name, p.name));
        for (const Catalogue::AnimationPair &p : w.pairs)
            needed.insert(Catalogue::stripPath(w.name, p.strip));
    }

    QFile listFile(QStringLiteral(SOURCE_DIR "/assets/assets.cmake"));
    QVERIFY(listFile.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(listFile.readAll());
    const QRegularExpressionMatch block =
        QRegularExpression(QStringLiteral(R"(set\(PIKVART_ASSET_FILES([^)]*)\))")).match(text);
    QVERIFY(block.hasMatch());
    const QStringList entries = block.captured(1).split(QRegularExpression(QStringLiteral("\\s+")),
                                                        Qt::SkipEmptyParts);
    const QSet<QString> listed(entries.cbegin(), entries.cend());
    QCOMPARE(entries.size(), listed.size());   // no file twice
    QCOMPARE(listed - needed, QSet<QString>());   // nothing the program does not use
    QCOMPARE(needed - listed, QSet<QString>());   // no picture missing

    QSet<QString> embedded;
    QDirIterator it(QStringLiteral(":/images"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        embedded.insert(it.next().mid(2));
    QCOMPARE(embedded, needed);
}

QTEST_GUILESS_MAIN(TstAssets)
#include "tst_assets.moc"
