#pragma once

#include "patchwindow.h"

// Form6, "All Patches": the files of the patch folder, offered for "Apply" and "Undo".
class AllPatchesWindow : public PatchWindow
{
    Q_OBJECT
public:
    AllPatchesWindow();
};
