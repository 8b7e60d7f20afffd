#pragma once

#include "patchwindow.h"

class QLabel;
class QListWidget;

// Form6, "All Patches": the files of the patch folder, offered for "Apply" and "Undo".
class AllPatchesWindow : public PatchWindow
{
    Q_OBJECT
public:
    AllPatchesWindow();

    // The folder as the selection names it: Windows style, relative to the working directory.
    static const QString patchFolder;

    // The folder's files as the list shows them: any extension, no sub-folders, no
    // hidden or system files, ordered by name ignoring letter case. When the folder
    // cannot be read, the list is empty and the reason is set.
    static QStringList listPatchFolder(QString *failureReason = nullptr);

    // Selection none, then the list reads the folder: the one and only time in a run.
    void formLoad() override;

    void File1_Click();   // a file picked in the list

private:
    // The plain files of an existing folder, hidden and system files left out, in
    // the system's order; on failure none, and the reason is set. Each system's
    // part is in allpatcheswindow_unix.cpp or allpatcheswindow_win.cpp.
    static QStringList folderFiles(const QString &folder, QString *failureReason);

    QListWidget *m_files;
    QLabel *m_picked;
};
