#pragma once

#include "flashercommand.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// What "Apply" and "Undo" of one patch window keep, and the routine both run.
struct PatchLauncher {
    double taskId = 0;    // the id of the last successful start; stored, never read
    QString writeCmd;     // the write line up to the patch path
    QString undoCmd;      // the undo line up to the patch path

    // Rebuilds both lines from the port (read afresh for each), then starts the
    // flasher with the chosen line and the selection, or shows the window's
    // message when nothing is selected. A start that fails is reported and
    // leaves taskId as it was.
    void launch(FlasherCommand::Operation operation, const std::function<QString()> &readPort,
                const std::optional<QString> &patchPath, const QString &missingSelectionMessage,
                QWidget *messageParent);
};
