// How long "All Patches" takes to open on a folder of 20,000 files, and how long
// one scrolled frame of its list takes to draw. Runs offscreen unless a platform
// is chosen.

#include "windows/allpatcheswindow.h"
#include "windows/mainwindow.h"
#include "windows/windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    constexpr int fileCount = 20000;
    QTemporaryDir work;
    QDir(work.path()).mkpath(QStringLiteral("data/All Patches"));
    for (int i = 0; i < fileCount; ++i) {
        // Mixed case and blanks, as a user's folder would have them.
        QFile file(work.filePath(QStringLiteral("data/All Patches/%1 Patch %2.vkp")
                                     .arg(i % 2 ? QStringLiteral("logo") : QStringLiteral("Menu"))
                                     .arg(fileCount - i)));
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    QDir::setCurrent(work.path());

    QElapsedTimer clock;
    clock.start();
    const qsizetype listed = AllPatchesWindow::listPatchFolder().size();
    const double listingMs = clock.nsecsElapsed() / 1e6;

    MainWindow *main = WindowRegistry::mainWindow();
    WindowRegistry::show(WindowId::Form1);
    clock.restart();
    main->Command5_Click();   // "All Patches": hide the main window, create, load and show Form6
    auto *form6 = WindowRegistry::existingAs<AllPatchesWindow>(WindowId::Form6);
    const double shownMs = clock.nsecsElapsed() / 1e6;
    form6->grab();   // the first frame, drawn
    const double firstFrameMs = clock.nsecsElapsed() / 1e6;

    auto *list = form6->findChild<QListWidget *>(QStringLiteral("File1"));
    QScrollBar *bar = list->verticalScrollBar();
    constexpr int frames = 300;
    clock.restart();
    for (int i = 0; i < frames; ++i) {
        bar->setValue((bar->value() + bar->pageStep() * 7) % (bar->maximum() + 1));
        list->viewport()->grab();
    }
    const double perFrameMs = clock.nsecsElapsed() / 1e6 / frames;

    std::printf("files in folder:                  %d\n", fileCount);
    std::printf("entries listed:                   %lld\n", static_cast<long long>(list->count()));
    std::printf("folder listing and sort alone:    %.1f ms (%lld names)\n", listingMs,
                static_cast<long long>(listed));
    std::printf("\"All Patches\" click to shown:     %.1f ms\n", shownMs);
    std::printf("click to first frame drawn:       %.1f ms\n", firstFrameMs);
    std::printf("scrolled frame of the list:       %.2f ms (mean of %d jumps)\n", perFrameMs, frames);

    WindowRegistry::destroyAllForNewRun();
    return list ? 0 : 1;
}
