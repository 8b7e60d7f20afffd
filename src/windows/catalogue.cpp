#include "catalogue.h"

#include <QtMath>

namespace Catalogue {

QRect twipsToPixels(int left, int top, int width, int height)
{
    auto px = [](int twips) { return qRound(twips / double(twipsPerPixel)); };
    return QRect(px(left), px(top), px(width), px(height));
}

namespace {

// Previews stand on a grid of two rows and three columns.
constexpr int col0 = 0, col1 = 1560, col2 = 3120;
constexpr int row0 = 0, row1 = 1320;
constexpr int previewW = 1515, wideW = 1560, previewH = 1200;

Picture preview(const char *name, int left, int top, const char *path, int width = previewW)
{
    return Picture{QString::fromLatin1(name), left, top, width, previewH, QString::fromLatin1(path), {}};
}

// A pair whose still is frame `stillFrame` of a 1-bit strip.
AnimationPair pair(const char *previewName, const char *strip, int w, int limit, int stripWidth,
                   int stillFrame = 0)
{
    return AnimationPair{QString::fromLatin1(previewName), QString::fromLatin1(strip), w, limit,
                         stripWidth, 1, stillFrame * w, 1};
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *n : list)
        out << QString::fromLatin1(n);
    return out;
}

std::vector<CatalogueRow> buildWindows()
{
    std::vector<CatalogueRow> all;

    CatalogueRow form2{QStringLiteral("Form2"), QStringLiteral("graphics menus, English"),
                     WindowIcon::Standard, {}, {}, false, QStringLiteral("Timer2"), false, {}};
    form2.pictures = {
        preview("p1", col0, row0, " data\\MBrenoval.vkp"),
        preview("p2", col1, row0, " data\\MTaskeron.vkp"),
        preview("p3", col2, row0, " data\\MWimbrel_1.vkp"),
        preview("p4", col0, row1, "  data\\MGFX menu 2 by Orsanel.VKP"),
        preview("p5", col1, row1, "  data\\MQuirendo.vkp"),
        preview("p6", col2, row1, "data\\MZabrotEN.vkp"),
    };
    form2.focusOrder = names({"Command3", "Command1", "Command2", "Command4",
                              "p4", "p3", "p2", "p1", "p5", "p6"});
    form2.pairs = {
        pair("p1", "a1", 101, 13, 1212), pair("p2", "b1", 101, 13, 1212),
        pair("p3", "c1", 101, 11, 1010), pair("p4", "d1", 101, 13, 1212),
        pair("p5", "e1", 101, 13, 1212), pair("p6", "f1", 101, 13, 1212),
    };
    all.push_back(form2);

    CatalogueRow form3{QStringLiteral("Form3"), QStringLiteral("ending animations"),
                     WindowIcon::App, {}, {}, false, QStringLiteral("Timer1"), false, {}};
    form3.pictures = {
        preview("p1", col0, row0, "data\\EAPellido.vkp", wideW),
        preview("p2", 1583, row0, "data\\EAJava Ending Animation Morvask.vkp"),
        preview("p3", col2, row0, "data\\EAVentrola.vkp", wideW),
    };
    form3.focusOrder = names({"Command3", "Command1", "Command4", "Command2", "p3", "p2", "p1"});
    form3.pairs = {
        pair("p1", "a1", 104, 14, 1352, 11),
        pair("p2", "b1", 101, 14, 1010),
        pair("p3", "c1", 104, 14, 1456),
    };
    all.push_back(form3);

    CatalogueRow form4{QStringLiteral("Form4"), QStringLiteral("animated operator logos"),
                     WindowIcon::App, {}, {}, false, QStringLiteral("Timer2"), false, {}};
    form4.pictures = {
        preview("p1", col0, row0, "data\\AOLDresk.vkp"),
        preview("p2", col1, row0, "data\\AOLMirtano v03.vkp"),
        preview("p3", col2, row0, "data\\AOLSpelvinV02.vkp"),
        preview("P4", col0, row1, "data\\AKolbrina.vkp"),
        preview("p5", col1, row1, "data\\ATrevasc.vkp"),
    };
    form4.focusOrder = names({"Command1", "Command3", "Command4", "Command2",
                              "p3", "p2", "p1", "P4", "p5"});
    // a1 holds nine whole frames and the first 100 columns of a tenth, in 24 bits;
    // the still of p1 starts one column left of frame 5's place.
    AnimationPair dresk{QStringLiteral("p1"), QStringLiteral("a1"), 101, 10, 1009, 24, 504, 1};
    form4.pairs = {
        dresk,
        pair("p2", "b1", 101, 10, 1010, 2),
        pair("p3", "c1", 101, 10, 1010, 9),
        pair("P4", "d1", 101, 10, 1010),
        pair("p5", "e1", 101, 10, 1010),
    };
    all.push_back(form4);

    CatalogueRow form5{QStringLiteral("Form5"), QStringLiteral("graphics menus, Czech, page 1"),
                     WindowIcon::App, {}, {}, true, QStringLiteral("Timer2"), false, {}};
    form5.pictures = {
        preview("p2", col0, row0, "data\\Mlumbard.vkp"),
        preview("p1", col1, row0, "data\\MHaskoly.vkp"),
        preview("p3", col2, row0, "data\\Mlumbard1.vkp"),
        preview("p4", col0, row1, "data\\Mlumbard2.vkp"),
        preview("p5", col1, row1, "data\\Mgfxmenu Trandel (Czech).vkp"),
        preview("p6", col2, row1, "data\\Mlumbard3.vkp"),
    };
    form5.focusOrder = names({"Command3", "Command1", "Command4", "Command2",
                              "p1", "p2", "p5", "p4", "p3", "p6", "Option1", "Option2"});
    form5.pairs = {
        pair("p1", "a1", 101, 12, 1212, 7), pair("p2", "b1", 101, 12, 1212),
        pair("p3", "c1", 101, 12, 1212), pair("p4", "d1", 101, 12, 1212, 1),
        pair("p5", "e1", 101, 12, 1212), pair("p6", "f1", 101, 12, 1212),
    };
    all.push_back(form5);

    CatalogueRow form7{QStringLiteral("Form7"), QStringLiteral("system graphics"),
                     WindowIcon::None, {}, {}, false, {}, false, {}};
    form7.pictures = {
        {QStringLiteral("Image2"), 1560, 360, 420, 105, QStringLiteral("data\\SATorvizen.vkp"),
         QStringLiteral("Antenna signal")},
        {QStringLiteral("Image1"), 1560, 600, 375, 105, QStringLiteral("data\\SAPelvadra.vkp"),
         QStringLiteral("Battery levels")},
        {QStringLiteral("Image4"), 1560, 840, 1200, 300, QStringLiteral("data\\SAMuskaro.vkp"),
         QStringLiteral("Outgowing call")},
        {QStringLiteral("Image6"), 1560, 1320, 1485, 375,
         QStringLiteral("data\\SAFenvora_w_undo.vkp"), QStringLiteral("Incoming call")},
        {QStringLiteral("Image5"), 1560, 1920, 1395, 1005, QStringLiteral("data\\SABrindolt.vkp"),
         QStringLiteral("SMS sending")},
    };
    form7.focusOrder = names({"Command1", "Command3", "Command4", "Command2"});
    all.push_back(form7);

    CatalogueRow form8{QStringLiteral("Form8"), QStringLiteral("graphics menus, Polish"),
                     WindowIcon::Standard, {}, {}, false, QStringLiteral("Timer1"), true, {}};
    form8.pictures = {
        preview("p1", col0, row0, "data\\MWimbrel(Polish version).vkp"),
        preview("p2", col1, row0, "data\\MFoskar.vkp"),
        preview("p3", col2, row0, "data\\MZabrotPL.vkp"),
    };
    form8.focusOrder = names({"Command3", "Command1", "Command4", "Command2", "p1", "p2", "p3"});
    form8.pairs = {
        pair("p1", "a1", 101, 10, 1010), pair("p2", "b1", 101, 10, 1010),
        pair("p3", "c1", 101, 12, 1212),
    };
    all.push_back(form8);

    CatalogueRow cz2{QStringLiteral("cz2"), QStringLiteral("graphics menus, Czech, page 2"),
                   WindowIcon::None, {}, {}, true, QStringLiteral("Timer1"), false, {}};
    cz2.pictures = {
        preview("p1", col0, row0, "data\\MFoskarCZ.vkp"),
        preview("p2", col1, row0, "data\\MTelvacz.vkp"),
        preview("p3", col2, row0, "data\\MBrastilJogMenu.vkp"),
    };
    cz2.focusOrder = names({"Command2", "Command4", "Command1", "Command3",
                            "Option1", "Option2", "p2", "p1", "p3"});
    // p2 is served before p1 on every tick.
    cz2.pairs = {
        pair("p2", "a1", 101, 10, 1010), pair("p1", "b1", 101, 10, 1010),
        pair("p3", "c1", 101, 10, 1010),
    };
    all.push_back(cz2);

    CatalogueRow german{QStringLiteral("german"), QStringLiteral("graphics menus, German"),
                      WindowIcon::None, {}, {}, false, QStringLiteral("Timer1"), true, {}};
    german.pictures = {
        preview("p1", col0, row0, "data\\MNorvalt.vkp"),
        preview("p2", col1, row0, "data\\MSkelvor2.vkp"),
        preview("p3", col2, row0, "data\\MVantrel_GFXMenu2.vkp"),
        preview("p4", col0, row1, "data\\MGFX_MENU_Quobrin.vkp"),
    };
    german.focusOrder = names({"p1", "Command2", "Command4", "Command1", "Command3",
                               "p2", "p3", "p4"});
    AnimationPair vantrel = pair("p3", "c1", 101, 12, 1212);
    vantrel.stillDepth = 24;
    german.pairs = {
        pair("p1", "a1", 101, 10, 1010), pair("p2", "b1", 101, 12, 1212),
        vantrel, pair("p4", "d1", 101, 12, 1212),
    };
    all.push_back(german);

    return all;
}

} // namespace

const Picture *CatalogueRow::picture(const QString &pictureName) const
{
    for (const Picture &p : pictures)
        if (p.name == pictureName)
            return &p;
    return nullptr;
}

const std::vector<CatalogueRow> &windows()
{
    static const std::vector<CatalogueRow> all = buildWindows();
    return all;
}

const CatalogueRow *window(const QString &name)
{
    for (const CatalogueRow &w : windows())
        if (w.name == name)
            return &w;
    return nullptr;
}

QString resource(const QString &relativePath) { return QStringLiteral(":/") + relativePath; }
QString backdropPath() { return QStringLiteral("images/backdrop.jpg"); }
QString appIconPath(int size) { return QStringLiteral("images/appIcon-%1.png").arg(size); }
QString makerIconPath(int size) { return QStringLiteral("images/makerIcon-%1.png").arg(size); }

QString stillPath(const QString &window, const QString &picture)
{
    return QStringLiteral("images/%1/%2.bmp").arg(window, picture);
}

QString stripPath(const QString &window, const QString &strip)
{
    return QStringLiteral("images/%1/strip-%2.bmp").arg(window, strip);
}

} // namespace Catalogue
