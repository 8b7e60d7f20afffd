// What the animation costs: the median time of one tick of each animated window,
// and the program's CPU time per minute of wall time while all seven animated
// windows are loaded and their timers run.
//
//   bench_tick [ticks per window, default 10000] [seconds of real run, default 20]

#include "preview/framecopy.h"
#include "preview/framecounter.h"
#include "preview/picturebox.h"
#include "preview/previewanimation.h"
#include "windows/catalogue.h"
#include "windows/cataloguewindow.h"
#include "windows/windowregistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

struct Spread {
    double medianUs, p99Us, maxUs;
};

template <class Tick> Spread timeTicks(int ticks, Tick &&tick)
{
    std::vector<qint64> samples(static_cast<size_t>(ticks));
    QElapsedTimer clock;
    for (qint64 &sample : samples) {
        clock.start();
        tick();
        sample = clock.nsecsElapsed();
    }
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) { return samples[size_t(q * double(samples.size() - 1))] / 1000.0; };
    return {at(0.5), at(0.99), samples.back() / 1000.0};
}

// The same tick on strips and surfaces built in memory at the table's geometry, so
// the figure means something even while the pictures are not in the resources.
Spread timeSyntheticTicks(const Catalogue::CatalogueRow &row, int ticks)
{
    std::vector<QImage> strips, surfaces;
    std::vector<qint16> limits;
    for (const Catalogue::AnimationPair &pair : row.pairs) {
        QImage stored(pair.stripWidth, Catalogue::frameHeight, QImage::Format_Mono);
        stored.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        stored.fill(1);
        strips.push_back(FrameCopy::prepareStrip(stored));
        surfaces.emplace_back(pair.frameWidth, Catalogue::frameHeight, QImage::Format_RGB32);
        surfaces.back().fill(Qt::white);
        limits.push_back(qint16(pair.wrapLimit));
    }
    FrameCounter counter(row.counterStartsEmpty);
    const int pairs = int(limits.size());
    return timeTicks(ticks, [&] {
        counter.tickEach(pairs, [&](int i) { return limits[size_t(i)]; }, [&](int i, qint16 frame) {
            const int w = row.pairs[size_t(i)].frameWidth;
            FrameCopy::copyFrame(strips[size_t(i)], frame * w, w, Catalogue::copyHeight,
                                 surfaces[size_t(i)]);
        });
    });
}

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

WindowId idOf(const QString &name)
{
    for (int i = 0; i <= int(WindowId::MenuMaker); ++i)
        if (windowName(WindowId(i)) == name)
            return WindowId(i);
    qFatal("no window %s", qPrintable(name));
}

struct CpuUse {
    double wallMs, cpuMs;
    double perMinuteMs() const { return cpuMs * 60000.0 / wallMs; }
};

// Runs the event loop for this long and measures the CPU time it takes.
CpuUse runFor(QApplication &app, int milliseconds)
{
    QElapsedTimer wall;
    const double cpuBefore = cpuMs();
    wall.start();
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &app, &QCoreApplication::quit);
    app.exec();
    return {double(wall.nsecsElapsed()) / 1e6, cpuMs() - cpuBefore};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int seconds = argc > 2 ? std::max(1, atoi(argv[2])) : 20;

    std::printf("Platform: %s\n\n", qPrintable(QGuiApplication::platformName()));
    WindowRegistry::show(WindowId::Form1);
    runFor(app, 1000);   // first paints and start-up work stay out of the figures
    const CpuUse idle = runFor(app, seconds * 1000 / 4);

    // Load every animated window the way the program does: shown once, then hidden.
    std::vector<CatalogueWindow *> windows;
    for (const Catalogue::CatalogueRow &row : Catalogue::windows()) {
        if (!row.animated())
            continue;
        const WindowId id = idOf(row.name);
        windows.push_back(qobject_cast<CatalogueWindow *>(WindowRegistry::show(id)));
        WindowRegistry::hide(id);
    }

    std::printf("One tick, %d ticks per window, timed while the window is shown\n", ticks);
    std::printf("%-8s %5s %7s | %10s %10s %10s | %14s\n", "window", "pairs", "strips",
                "median us", "p99 us", "max us", "in-memory us");
    for (CatalogueWindow *window : windows) {
        PreviewAnimation *animation = window->animation();
        int loaded = 0;
        for (int i = 0; i < animation->pairCount(); ++i)
            loaded += animation->strip(i).isNull() ? 0 : 1;
        WindowRegistry::show(window->id());
        const Spread real = timeTicks(ticks, [animation] { animation->tick(); });
        WindowRegistry::hide(window->id());
        const Spread synthetic = timeSyntheticTicks(window->row(), ticks);
        std::printf("%-8s %5d %3d of %d | %10.2f %10.2f %10.2f | %14.2f\n",
                    qPrintable(window->row().name), animation->pairCount(), loaded,
                    animation->pairCount(), real.medianUs, real.p99Us, real.maxUs,
                    synthetic.medianUs);
    }
    std::printf("(strips: loaded from the resources; in-memory: the same tick on strips of the\n"
                " table's sizes built in memory, median)\n\n");

    // At rest one window is shown, here the one with six previews; the others tick hidden.
    WindowRegistry::show(idOf(QStringLiteral("Form2")));
    runFor(app, 1000);   // the ticks that fell due while the loop was blocked run here
    int timerTicks = 0;
    for (CatalogueWindow *window : windows)
        QObject::connect(window->animation()->timer(), &QTimer::timeout, &app,
                         [&timerTicks] { ++timerTicks; });
    const CpuUse running = runFor(app, seconds * 1000);

    std::printf("CPU time of the whole program per minute of wall time\n");
    std::printf("%-44s %9s %9s %14s %8s\n", "state", "wall s", "CPU ms", "CPU ms/minute",
                "of a core");
    std::printf("%-44s %9.2f %9.1f %14.1f %7.3f%%\n", "main window only, no animated window",
                idle.wallMs / 1000, idle.cpuMs, idle.perMinuteMs(),
                idle.cpuMs / idle.wallMs * 100);
    std::printf("%-44s %9.2f %9.1f %14.1f %7.3f%%\n", "seven animated windows, timers running",
                running.wallMs / 1000, running.cpuMs, running.perMinuteMs(),
                running.cpuMs / running.wallMs * 100);
    std::printf("Timer ticks delivered: %d in %.2f s (%.1f per second, 14 expected)\n", timerTicks,
                running.wallMs / 1000, timerTicks / (running.wallMs / 1000));
    return 0;
}
