// Draws every picture of the program into the assets folder and writes the list
// of embedded files (assets.cmake). Run through the build: cmake --build build --target assets
//
// Same input, same bytes: the pictures come from the catalogue table and a fixed
// bitmap font, nothing random and no system font is involved.

#include "decor.h"
#include "phonepictures.h"

#include "windows/catalogue.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QMap>
#include <QSaveFile>
#include <QtEndian>

#include <cstdio>
#include <cstring>

namespace {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "drawassets: %s\n", qPrintable(what));
    std::exit(1);
}

QByteArray encode(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        fail(QStringLiteral("cannot encode %1: %2").arg(QLatin1String(format), writer.errorString()));
    return bytes;
}

// A black-and-white picture as a BMP with the given bits per pixel (1 or 24).
QByteArray bmp(const Canvas &canvas, int depth)
{
    QImage image;
    if (depth == 1) {
        image = QImage(canvas.width(), canvas.height(), QImage::Format_Mono);
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        // QImage::fill() leaves the padding bytes at the row ends alone, and the BMP
        // writer stores whole rows: set every byte, or the files change from run to run.
        std::memset(image.bits(), 0xff, size_t(image.sizeInBytes()));
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                image.setPixel(x, y, canvas.isBlack(x, y) ? 0 : 1);
    } else if (depth == 24) {
        image = canvas.image();   // 32-bit RGB: the BMP writer stores it with 24 bits
    } else {
        fail(QStringLiteral("no BMP of %1 bits per pixel").arg(depth));
    }
    const QByteArray bytes = encode(image, "bmp");
    // The program relies on the stored depth; make sure the writer kept it.
    const auto field16 = [&](int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); };
    const auto field32 = [&](int offset) { return qFromLittleEndian<qint32>(bytes.constData() + offset); };
    if (bytes.size() < 54 || !bytes.startsWith("BM") || field16(28) != depth
        || field32(18) != canvas.width() || field32(22) != canvas.height())
        fail(QStringLiteral("the BMP writer did not store %1 x %2 at %3 bits per pixel")
                 .arg(canvas.width()).arg(canvas.height()).arg(depth));
    return bytes;
}

// A Windows icon file holding the given pictures, each stored as PNG (read by
// Windows Vista and later); the Windows program carries it as its own icon.
QByteArray ico(const QList<QImage> &images)
{
    QList<QByteArray> payloads;
    for (const QImage &image : images)
        payloads.append(encode(image, "png"));
    QByteArray bytes;
    const auto put16 = [&](quint16 value) { bytes.append(char(value & 0xff)).append(char(value >> 8)); };
    const auto put32 = [&](quint32 value) { put16(quint16(value & 0xffff)); put16(quint16(value >> 16)); };
    put16(0);                                   // reserved
    put16(1);                                   // an icon, not a cursor
    put16(quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const QImage &image = images.at(i);
        if (image.width() > 256 || image.height() > 256)
            fail(QStringLiteral("an icon picture is at most 256 pixels square"));
        bytes.append(char(image.width() & 0xff)).append(char(image.height() & 0xff));  // 256 is 0
        bytes.append(char(0)).append(char(0));  // no palette, reserved
        put16(1);                               // planes
        put16(32);                              // bits per pixel
        put32(quint32(payloads.at(i).size()));
        put32(offset);
        offset += quint32(payloads.at(i).size());
    }
    for (const QByteArray &payload : payloads)
        bytes += payload;
    return bytes;
}

class Output {
public:
    explicit Output(const QString &folder) : m_folder(QDir(folder).absolutePath()) {}

    void add(const QString &relativePath, const QByteArray &bytes)
    {
        if (m_files.contains(relativePath))
            fail(QStringLiteral("%1 is drawn twice").arg(relativePath));
        m_files.insert(relativePath, bytes);
    }

    // A file for the build that the program does not embed.
    void addUnembedded(const QString &relativePath, const QByteArray &bytes)
    {
        m_unembedded.insert(relativePath, bytes);
    }

    // Writes only what changed, so that an unchanged run leaves the build alone.
    void write() const
    {
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
            writeIfChanged(it.key(), it.value());
        for (auto it = m_unembedded.cbegin(); it != m_unembedded.cend(); ++it)
            writeIfChanged(it.key(), it.value());
        removeStalePictures();
        writeIfChanged(QStringLiteral("assets.cmake"), fileList());
    }

    qint64 pictureBytes() const
    {
        qint64 total = 0;
        for (const QByteArray &bytes : m_files)
            total += bytes.size();
        return total;
    }
    int pictureCount() const { return int(m_files.size()); }

private:
    void writeIfChanged(const QString &relativePath, const QByteArray &bytes) const
    {
        const QString path = m_folder.filePath(relativePath);
        QFile existing(path);
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
            return;
        existing.close();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }

    // Pictures the table no longer asks for would otherwise linger in the folder.
    void removeStalePictures() const
    {
        QDirIterator it(m_folder.filePath(QStringLiteral("images")), QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!m_files.contains(m_folder.relativeFilePath(QFileInfo(path).absoluteFilePath())))
                QFile::remove(path);
        }
    }

    QByteArray fileList() const
    {
        QByteArray text = "# Written by the drawing tool (target `assets`): the pictures embedded in the program.\n"
                          "set(PIKVART_ASSET_FILES\n";
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
            text += "    " + it.key().toUtf8() + '\n';
        text += ")\n";
        return text;
    }

    QDir m_folder;
    QMap<QString, QByteArray> m_files;   // sorted: the list comes out the same every run
    QMap<QString, QByteArray> m_unembedded;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || !QDir(args.at(1)).exists()) {
        std::fprintf(stderr, "usage: drawassets <assets folder>\n");
        return 2;
    }
    Output out(args.at(1));

    out.add(Catalogue::backdropPath(), encode(Decor::backdrop(), "jpeg", 90));
    for (int size : {16, 32})
        out.add(Catalogue::appIconPath(size), encode(Decor::appIcon(size), "png"));
    out.addUnembedded(QStringLiteral("windows/appIcon.ico"), ico({Decor::appIcon(16), Decor::appIcon(32)}));
    for (int size : {16, 24, 32, 48})
        out.add(Catalogue::makerIconPath(size), encode(Decor::makerIcon(size), "png"));

    for (const Catalogue::CatalogueRow &window : Catalogue::windows()) {
        for (const Catalogue::AnimationPair &pair : window.pairs) {
            const Canvas strip = PhonePictures::strip(window, pair);
            out.add(Catalogue::stripPath(window.name, pair.strip), bmp(strip, pair.stripDepth));
            out.add(Catalogue::stillPath(window.name, pair.preview),
                    bmp(PhonePictures::still(strip, pair), pair.stillDepth));
        }
        if (!window.animated()) {
            for (const Catalogue::Picture &picture : window.pictures)
                out.add(Catalogue::stillPath(window.name, picture.name),
                        bmp(PhonePictures::systemGraphic(picture), 1));
        }
    }

    out.write();
    std::printf("drawassets: %d pictures, %lld bytes, in %s\n", out.pictureCount(),
                static_cast<long long>(out.pictureBytes()), qPrintable(args.at(1)));
    return 0;
}
