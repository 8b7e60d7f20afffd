#include "menumakerwindow.h"

MenuMakerWindow::MenuMakerWindow()
    : FormWindow(WindowId::MenuMaker, QStringLiteral("GFX Menu Maker"), QSize(379, 337), makerIcon())
{
}
