#include "patchwindow.h"

#include "mainwindow.h"
#include "windowregistry.h"

#include <QPushButton>

namespace {

// The four buttons stand at the same places in every patch window.
QPushButton *patchButton(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    return commandButton(parent, name, caption, left, top, 1455, 495);
}

} // namespace

PatchWindow::PatchWindow(WindowId id, const QIcon &icon, const QString &missingSelectionMessage)
    : FormWindow(id, QStringLiteral("Pikvart by Lumbard"), QSize(310, 334), icon)
    , m_missingSelectionMessage(missingSelectionMessage)
{
    m_apply = patchButton(client(), "Command2", QStringLiteral("Apply"), 720, 3720);
    m_undo = patchButton(client(), "Command4", QStringLiteral("Undo"), 2400, 3720);
    m_back = patchButton(client(), "Command1", QStringLiteral("Back"), 720, 4320);
    m_exit = patchButton(client(), "Command3", QStringLiteral("Exit"), 2400, 4320);
    connect(m_back, &QPushButton::clicked, this, &PatchWindow::Command1_Click);
    connect(m_apply, &QPushButton::clicked, this, &PatchWindow::Command2_Click);
    connect(m_exit, &QPushButton::clicked, this, &PatchWindow::Command3_Click);
    connect(m_undo, &QPushButton::clicked, this, &PatchWindow::Command4_Click);
}

void PatchWindow::formLoad() { patchPath.reset(); }

void PatchWindow::Command1_Click()
{
    patchPath.reset();
    WindowRegistry::hide(id());
    WindowRegistry::show(WindowId::Form1);
}

void PatchWindow::Command2_Click() { launch(FlasherCommand::Operation::Write); }
void PatchWindow::Command3_Click() { exitProgram(); }
void PatchWindow::Command4_Click() { launch(FlasherCommand::Operation::Undo); }

void PatchWindow::launch(FlasherCommand::Operation operation)
{
    // The port is read from the main window at every click, through its one instance.
    const auto readPort = [] { return WindowRegistry::mainWindow()->port(); };
    launcher.launch(operation, readPort, patchPath, m_missingSelectionMessage, this);
}
