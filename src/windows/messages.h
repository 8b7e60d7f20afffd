#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's message box: title "Project1", the text as plain text, an OK
// button only, no icon; modal, so the caller goes on only when the user has closed it. Tests
// replace the box with a recorder so that nothing blocks.
namespace Messages {

inline const QString applicationTitle = QStringLiteral("Project1");

void show(QWidget *parent, const QString &text);

using Recorder = std::function<void(const QString &text)>;
// An empty recorder restores the real box.
void setRecorder(Recorder recorder);

} // namespace Messages
