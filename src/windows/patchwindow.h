#pragma once

#include "formwindow.h"
#include "launcher/patchlauncher.h"

#include <optional>

class QPushButton;

// A window with "Apply" and "Undo": the eight catalogue windows and "All Patches".
// Each keeps its own selection and its own launcher members.
class PatchWindow : public FormWindow
{
    Q_OBJECT
public:
    PatchWindow(WindowId id, const QIcon &icon, const QString &missingSelectionMessage);

    // The selection: none, or the relative path of one patch file, leading blanks included.
    std::optional<QString> patchPath;
    PatchLauncher launcher;

    void formLoad() override;

    void Command1_Click();   // "Back"
    void Command2_Click();   // "Apply"
    void Command3_Click();   // "Exit"
    void Command4_Click();   // "Undo"

    QPushButton *backButton() const { return m_back; }
    QPushButton *applyButton() const { return m_apply; }
    QPushButton *exitButton() const { return m_exit; }
    QPushButton *undoButton() const { return m_undo; }

private:
    void launch(FlasherCommand::Operation operation);

    QString m_missingSelectionMessage;
    QPushButton *m_back, *m_apply, *m_exit, *m_undo;
};
