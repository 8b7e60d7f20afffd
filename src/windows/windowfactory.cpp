#include "allpatcheswindow.h"
#include "cataloguewindow.h"
#include "mainwindow.h"
#include "menumaker/menumakerwindow.h"
#include "windowregistry.h"

FormWindow *createWindow(WindowId id)
{
    switch (id) {
    case WindowId::Form1:
        return new MainWindow;
    case WindowId::Form6:
        return new AllPatchesWindow;
    case WindowId::MenuMaker:
        return new MenuMakerWindow;
    default:
        break;
    }
    const Catalogue::CatalogueRow *row = Catalogue::window(windowName(id));
    Q_ASSERT(row);
    return new CatalogueWindow(id, *row);
}
