// Start-up time as the X server sees it: starts a program and prints the
// milliseconds from its exec until the server reports the first top-level
// window mapped (the window manager's frame, or the window itself without
// one), then ends the program. Nothing is polled: the time is taken when the
// MapNotify event arrives.
//   mapwait TIMEOUT_MS PROGRAM [ARGUMENTS...]
// Prints "map <ms>" (or "map timeout") on standard output.

#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TIMEOUT_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const int timeoutMs = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwait: cannot open the display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    const Clock::time_point deadline = started + std::chrono::milliseconds(timeoutMs);
    bool mapped = false;
    while (!mapped && Clock::now() < deadline) {
        while (!mapped && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
                std::printf("map %.1f\n", ms);
                mapped = true;
            }
        }
        if (!mapped) {
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            poll(&connection, 1, int(left > 0 ? left : 0));
        }
    }
    if (!mapped)
        std::printf("map timeout\n");
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return mapped ? 0 : 1;
}
