#pragma once

class QRadioButton;
class CatalogueWindow;

// The switch between the two pages of the Czech graphics menus, Form5 (page 1)
// and cz2 (page 2). Only a user's pick of the other page's radio switches;
// radios set from code switch nothing.
namespace PageSwitch {

// Connects the page radios of Form5 or cz2 to their switch; other windows get none.
void connectRadios(CatalogueWindow *page, QRadioButton *page1Radio, QRadioButton *page2Radio);

void Form5_Option2_Click();   // to page 2: hide Form5, show cz2, its radios (off, on)
void cz2_Option1_Click();     // to page 1: show Form5, hide cz2, its radios (on, off)

} // namespace PageSwitch
