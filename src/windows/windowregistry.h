#pragma once

#include "formwindow.h"

#include <functional>

class MainWindow;

// The one instance of each window. A window is created and loaded the first time
// it is shown and afterwards only hidden and shown again; nothing destroys it
// before the program ends.
namespace WindowRegistry {

// The instance, or nullptr while the window is absent.
FormWindow *existing(WindowId id);

template <class T> T *existingAs(WindowId id) { return qobject_cast<T *>(existing(id)); }

// Creates and loads the window if it is absent (centred on the screen at that
// first show), then makes it visible, in front and active.
FormWindow *show(WindowId id);

// Makes the window invisible; it stays loaded with all its state.
void hide(WindowId id);

// The main window, created (not shown) should it not exist yet.
MainWindow *mainWindow();

// Ends the run at once: every window and timer with it, nothing asked or saved.
void endProgram();

// For tests: record the end instead of quitting, and start a fresh run.
void setEndHandler(std::function<void()> handler);
void destroyAllForNewRun();

} // namespace WindowRegistry

// Builds the window of an id; the registry calls it once per run and id.
FormWindow *createWindow(WindowId id);
