#include "windowregistry.h"

#include "mainwindow.h"

#include <QCoreApplication>
#include <array>

namespace WindowRegistry {

namespace {

constexpr int windowCount = static_cast<int>(WindowId::MenuMaker) + 1;

std::array<FormWindow *, windowCount> &instances()
{
    static std::array<FormWindow *, windowCount> all{};
    return all;
}

std::function<void()> &endHandler()
{
    static std::function<void()> handler;
    return handler;
}

FormWindow *&slot(WindowId id) { return instances()[static_cast<int>(id)]; }

FormWindow *createAndLoad(WindowId id)
{
    FormWindow *window = createWindow(id);
    slot(id) = window;
    window->formLoad();
    return window;
}

} // namespace

FormWindow *existing(WindowId id) { return slot(id); }

FormWindow *show(WindowId id)
{
    FormWindow *window = slot(id);
    if (!window) {
        window = createAndLoad(id);
        window->centreOnScreen();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void hide(WindowId id)
{
    if (FormWindow *window = slot(id))
        window->hide();
}

MainWindow *mainWindow()
{
    if (!slot(WindowId::Form1))
        createAndLoad(WindowId::Form1);
    return qobject_cast<MainWindow *>(slot(WindowId::Form1));
}

void endProgram()
{
    if (endHandler()) {
        endHandler()();
        return;
    }
    for (FormWindow *window : instances())
        if (window)
            window->hide();
    QCoreApplication::exit(0);
}

void setEndHandler(std::function<void()> handler) { endHandler() = std::move(handler); }

void destroyAllForNewRun()
{
    for (FormWindow *&window : instances()) {
        delete window;
        window = nullptr;
    }
}

} // namespace WindowRegistry
