#pragma once

#include <QString>

// Writing the menu patch file: the whole text or nothing.
namespace MenuPatchFile {

// The file a save path names on this system. On Windows the path stands as typed;
// elsewhere a backslash separates folders, as in the flasher's program word, so
// "C:\windows\plocha\Gfx.vkp" names Gfx.vkp in the folder C:/windows/plocha
// under the working directory rather than a file with backslashes in its name.
QString localPath(const QString &savePath);

struct Outcome {
    bool saved = false;
    QString error;   // the system's reason when not saved
};

// Writes the text one byte per character (Latin-1), with no line end converted or
// added, following links. Through a temporary file that replaces the target only
// when every byte has reached it, so a failure (a full disk among others) leaves an
// existing file as it was and no new one behind. Where the result would not be the
// same file as before (a file with more than one link, or one whose owner, group or
// mode the temporary file cannot take) or no temporary file may stand beside it,
// the file is written in place instead. Refuses, untouched, a path that names no
// regular file, a link that cannot be resolved and a file with no write bit for
// anyone. Creates no folder.
Outcome write(const QString &savePath, const QString &text);

// Lets a write over the process's file-size limit fail with "File too large"
// instead of ending the program; called once at its start.
void keepRunningOverSizeLimit();

} // namespace MenuPatchFile
