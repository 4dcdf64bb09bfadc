// Prints what add/modify/delete rounds through the windows leave behind:
// heap in use, resident memory, live widgets, objects and timers,
// threads and file descriptors, after 0, a tenth, half and all of the
// rounds. Runs on the offscreen platform with the clock held still, so
// that no alarm comes due while the rounds run.
// Usage: alarm_cycles_bench [rounds]   (default 1000)

#include "alarmcycle.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "liveobjects.h"
#include "processusage.h"
#include "ui/main/mainwindowlayout.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    const LiveObjects objects;  // before the application, so that every object counts
    QApplication application(argc, argv);
    host::initialise();
    host::enterRunDirectory();
    host::setClock([] { return host::dateTimeOf(2026, 12, 8, 12, 0, 0); });
    if (!alarmcycle::loadWindows()) {
        std::fprintf(stderr, "the main window did not load\n");
        return 1;
    }

    std::printf("%7s %12s %10s %8s %8s %7s %8s %7s %12s %9s\n", "rounds", "heap (B)", "RSS (KiB)", "widgets",
                "objects", "timers", "threads", "pooled", "descriptors", "ms/round");
    QElapsedTimer clock;
    clock.start();
    long long heapAtTenth = 0;
    for (int round = 0; round <= rounds; ++round) {
        if (round == 0 || round == rounds / 10 || round == rounds / 2 || round == rounds) {
            const ProcessUsage usage = processUsage();
            const LiveObjects::Counts live = objects.counts();
            std::printf("%7d %12lld %10ld %8d %8d %7d %8d %7d %12d %9.1f\n", round, usage.heapBytes,
                        usage.residentKilobytes, live.widgets, live.objects, live.timers, usage.threads,
                        usage.pooledThreads, usage.descriptors, round ? double(clock.elapsed()) / round : 0.0);
            if (round == rounds / 10)
                heapAtTenth = usage.heapBytes;
            if (round == rounds && rounds >= 10)
                std::printf("heap from round %d to %d: %+.1f bytes per round\n", rounds / 10, rounds,
                            double(usage.heapBytes - heapAtTenth) / (rounds - rounds / 10));
        }
        if (round == rounds)
            break;
        if (const std::string fault = alarmcycle::run(); !fault.empty()) {
            std::fprintf(stderr, "round %d: %s\n", round + 1, fault.c_str());
            return 1;
        }
    }
    host::closeWindow(MainWindow::id, host::CloseMode::Immediate);  // removes the default sound file
    return 0;
}
