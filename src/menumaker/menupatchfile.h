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
// added. Through a temporary file that replaces the target only when every byte has
// reached it, so a failure (a full disk among others) leaves an existing file as it
// was and no new one behind. A writable file in a folder that takes no new file is
// written in place instead. Creates no folder.
Outcome write(const QString &savePath, const QString &text);

} // namespace MenuPatchFile
