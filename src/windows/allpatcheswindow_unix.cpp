#include "allpatcheswindow.h"

#include <QDir>

// A name starting with "." is hidden. Without QDir::Hidden such names stay out,
// and without QDir::System so do FIFOs, sockets, devices and dangling links.
QStringList AllPatchesWindow::folderFiles(const QString &folder, QString *)
{
    return QDir(folder).entryList(QDir::Files, QDir::NoSort);
}
