#pragma once

#include "menupatch.h"
#include "windows/formwindow.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// MenuMaker, the "GFX Menu Maker" window: twelve picture slots, the key option and
// the save path; "Make" builds the menu patch text, "Save" writes it and ends the
// program.
class MenuMakerWindow : public FormWindow
{
    Q_OBJECT
public:
    MenuMakerWindow();

    // Filled by the load handler and never changed afterwards.
    std::array<QString, MenuPatch::entryCount> entryCode;      // by list index 0 to 15
    std::array<QString, MenuPatch::slotCount + 1> slotPrefix;  // by slot 1 to 12; [0] unused

    // Written by "Make"; empty until then.
    std::array<QString, MenuPatch::slotCount + 1> slotLine;    // by slot 1 to 12; [0] unused
    QString keyLines;
    QString menuLines;

    // Written by "Save": the path read from Text1.
    QString savePath;

    // The captions of the two hidden labels: Label1 the menu patch body, fixed;
    // Label2 the menu patch text of the latest Make with all twelve slots chosen.
    const QString Label1;
    QString Label2;

    void formLoad() override;

    void Command1_Click();   // "Make"
    void Command2_Click();   // "Save"
    void Command3_Click();   // "Exit"
    void Command4_Click();   // "Back"

    // The list index chosen in slot n (1 to 12), or -1 for none.
    int chosenEntry(int n) const;

private:
    bool allSlotsChosen() const;

    std::array<QComboBox *, MenuPatch::slotCount + 1> m_combo{};   // [0] unused
    QCheckBox *m_check1, *m_check2;
    QLineEdit *m_text1;
};
