#include "menumaker/menupatchfile.h"
#include "windows/formwindow.h"
#include "windows/windowregistry.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    MenuPatchFile::keepRunningOverSizeLimit();
    QApplication app(argc, argv);
    app.setWindowIcon(FormWindow::appIcon());
    // The windows are laid out in pixels for this small face.
    app.setFont(msSansSerif(8.25));
    // Windows are hidden and shown, never closed; the program ends only by its own "Exit" or "Save".
    app.setQuitOnLastWindowClosed(false);
    WindowRegistry::show(WindowId::Form1);
    return app.exec();
}
