#pragma once

#include "catalogue.h"
#include "patchwindow.h"

class PictureBox;
class PreviewAnimation;
class QRadioButton;

// One catalogue window, built from its row of the catalogue table: pictures that
// select their patch when clicked, the four patch buttons and, on the two Czech
// pages, the page radios.
class CatalogueWindow : public PatchWindow
{
    Q_OBJECT
public:
    CatalogueWindow(WindowId id, const Catalogue::CatalogueRow &row);

    const Catalogue::CatalogueRow &row() const { return m_row; }
    PictureBox *picture(const QString &name) const;
    // The page radios of Form5 and cz2 (nullptr elsewhere): 1 is page 1, 2 is page 2.
    QRadioButton *pageRadio(int page) const;
    // The animation of the previews; nullptr in Form7, which has none.
    PreviewAnimation *animation() const { return m_animation; }

private:
    void addPageRadios();

    const Catalogue::CatalogueRow &m_row;
    QList<PictureBox *> m_pictures;
    QRadioButton *m_page1 = nullptr;
    QRadioButton *m_page2 = nullptr;
    PreviewAnimation *m_animation = nullptr;
};
