#pragma once

// The patch catalogue: every catalogue window, its pictures and the patch file
// behind each picture, and the animation pairs of its previews. Pure data, shared
// by the program and by the tool that draws the pictures.

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace Catalogue {

// Layout values are in twips; 15 twips make one pixel.
constexpr int twipsPerPixel = 15;
QRect twipsToPixels(int left, int top, int width, int height);

enum class WindowIcon { App, Standard, None };

struct Picture {
    QString name;        // object name: "p1", "P4", "Image2", ...
    int left, top, width, height;  // twips
    QString patchPath;   // exactly as handed to the flasher, leading blanks included
    QString toolTip;     // only Form7's pictures carry one
    QRect pixelRect() const { return twipsToPixels(left, top, width, height); }
};

// One preview and the hidden strip it is animated from.
struct AnimationPair {
    QString preview;     // "p1" ...
    QString strip;       // "a1" ...
    int frameWidth;      // W: 101, or 104
    int wrapLimit;       // L: the counter is reset when it is greater than this
    int stripWidth;      // pixels; every strip is 80 rows high
    int stripDepth;      // bits per pixel as stored: 1, or 24
    int stillX;          // the still is the W columns of the strip starting here
    int stillDepth;      // bits per pixel of the still as stored
    int frameCount() const { return (stripWidth + frameWidth - 1) / frameWidth; }
};

constexpr int frameHeight = 80;
constexpr int copyHeight = 82;   // every frame copy asks for 82 rows; the rest is clipped
constexpr int tickIntervalMs = 500;

// The table row of one catalogue window.
struct CatalogueRow {
    QString name;                 // "Form2", "cz2", ...
    QString category;             // what the window offers, for people reading the code
    WindowIcon icon;
    std::vector<Picture> pictures;     // in catalogue order
    QStringList focusOrder;       // object names, keyboard tab order
    bool hasPageRadios = false;   // Form5 and cz2
    QString timerName;            // empty: no animation (Form7)
    bool counterStartsEmpty = false;   // Form8 and german
    std::vector<AnimationPair> pairs;  // in tick order
    bool animated() const { return !pairs.empty(); }
    const Picture* picture(const QString &pictureName) const;
};

const std::vector<CatalogueRow> &windows();
// The table row of one catalogue window; nullptr for a name that is not one.
const CatalogueRow *window(const QString &name);

// Paths of the pictures relative to the assets folder, shared by the program and
// the drawing tool; the program reads them from its resources (":/" + path).
QString resource(const QString &relativePath);
QString backdropPath();
QString appIconPath(int size);
QString makerIconPath(int size);
QString stillPath(const QString &window, const QString &picture);
QString stripPath(const QString &window, const QString &strip);

} // namespace Catalogue
