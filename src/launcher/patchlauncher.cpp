#include "patchlauncher.h"

#include "programstart.h"
#include "windows/messages.h"

void PatchLauncher::launch(FlasherCommand::Operation operation,
                           const std::function<QString()> &readPort,
                           const std::optional<QString> &patchPath,
                           const QString &missingSelectionMessage, QWidget *messageParent)
{
    writeCmd = FlasherCommand::writeCmd(readPort());
    undoCmd = FlasherCommand::undoCmd(readPort());

    if (!patchPath) {
        Messages::show(messageParent, missingSelectionMessage);
        return;
    }

    const QString line =
        (operation == FlasherCommand::Operation::Write ? writeCmd : undoCmd) + *patchPath;
    const ProgramStart::Outcome outcome = ProgramStart::start(line);
    if (outcome.started) {
        taskId = double(outcome.taskId);
        return;
    }
    Messages::show(messageParent, QStringLiteral("Cannot start %1: %2")
                                      .arg(FlasherCommand::programWord(line), outcome.error));
}
