#include "pageswitch.h"

#include "cataloguewindow.h"
#include "windowregistry.h"

#include <QRadioButton>

namespace PageSwitch {

namespace {

// Sets the two radios of a page one after the other, in the order given. An
// auto-exclusive radio that is on refuses to be turned off, and turning one on
// would turn the other off by itself; so the pair stops being exclusive while
// both are set (which lets the moment between the two sets be "both off" or
// "both on") and is exclusive again afterwards.
void setRadiosInOrder(QRadioButton *first, bool firstOn, QRadioButton *second, bool secondOn)
{
    first->setAutoExclusive(false);
    second->setAutoExclusive(false);
    first->setChecked(firstOn);
    second->setChecked(secondOn);
    first->setAutoExclusive(true);
    second->setAutoExclusive(true);
}

CatalogueWindow *page(WindowId id) { return WindowRegistry::existingAs<CatalogueWindow>(id); }

} // namespace

void connectRadios(CatalogueWindow *window, QRadioButton *page1Radio, QRadioButton *page2Radio)
{
    // clicked, not toggled: code that sets a radio must not start a switch.
    if (window->id() == WindowId::Form5)
        QObject::connect(page2Radio, &QRadioButton::clicked, window, &Form5_Option2_Click);
    else if (window->id() == WindowId::cz2)
        QObject::connect(page1Radio, &QRadioButton::clicked, window, &cz2_Option1_Click);
}

void Form5_Option2_Click()
{
    WindowRegistry::hide(WindowId::Form5);
    WindowRegistry::show(WindowId::cz2);
    CatalogueWindow *pageTwo = page(WindowId::cz2);
    setRadiosInOrder(pageTwo->pageRadio(1), false, pageTwo->pageRadio(2), true);
}

void cz2_Option1_Click()
{
    WindowRegistry::show(WindowId::Form5);
    WindowRegistry::hide(WindowId::cz2);
    CatalogueWindow *pageOne = page(WindowId::Form5);
    setRadiosInOrder(pageOne->pageRadio(1), true, pageOne->pageRadio(2), false);
}

} // namespace PageSwitch
