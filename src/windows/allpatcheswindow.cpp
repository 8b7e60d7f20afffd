#include "allpatcheswindow.h"

AllPatchesWindow::AllPatchesWindow()
    : PatchWindow(WindowId::Form6, noIcon(), QStringLiteral("You must select patch"))
{
}
