// Measures one start of a program under X: the time from starting it to the
// first window it maps on the screen, and its peak resident memory (VmHWM) once
// it has settled. Prints "startup_ms=<ms> peak_kb=<kB>".
// Usage: firstmap <settle ms> <program> [arguments]

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long peakKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <settle ms> <program> [arguments]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        std::perror("exec");
        _exit(127);
    }

    double startupMs = -1;
    const int connection = ConnectionNumber(display);
    while (startupMs < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == root) {
                startupMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
                break;
            }
        }
        if (startupMs >= 0)
            break;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        timeval timeout{10, 0};
        if (select(connection + 1, &readable, nullptr, nullptr, &timeout) <= 0) {
            std::fprintf(stderr, "no window within 10 s\n");
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return 1;
        }
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[1])));
    const long peak = peakKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    std::printf("startup_ms=%.1f peak_kb=%ld\n", startupMs, peak);
    return 0;
}
