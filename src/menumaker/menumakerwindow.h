#pragma once

#include "windows/formwindow.h"

// The "GFX Menu Maker" window.
class MenuMakerWindow : public FormWindow
{
    Q_OBJECT
public:
    MenuMakerWindow();
};
