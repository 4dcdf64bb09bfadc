#pragma once

// One run of the real program as a user starts it: a copy of the built binary
// in a folder of its own (so the default sound file it writes beside itself
// is this run's), on the test's desktop and sound server, under libfaketime
// with a clock that the test sets and speeds up. The program runs in a
// process group of its own, which is ended as a whole, by its id.

#include "processgroup.h"
#include "temporaryfolder.h"

#include <QDateTime>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

class DesktopSession;

/// What a faster clock speeds up: the wall clock and sleeps only (Qt's
/// timers keep real time), or every clock of the program, timers included.
enum class ProgramPace { WallClock, Everything };

struct ProgramOptions
{
    ProgramPace pace = ProgramPace::WallClock;
    /// How many times as fast as real time the clock runs from the start.
    int speed = 1;
    /// A command that runs the program, instead of a fresh copy of the built binary.
    QStringList command;
    /// Arguments given to the fresh copy.
    QStringList arguments;
    /// Variables added to the program's environment.
    QProcessEnvironment environment;
    /// Variables taken out of it.
    QStringList unset;
};

class ProgramRun final
{
public:
    using Pace = ProgramPace;
    using Options = ProgramOptions;

    /// Starts the program with its clock at `fakeNow`.
    ProgramRun(const DesktopSession& desktop, const QString& pulseServer, const QDateTime& fakeNow,
               const Options& options = {});
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    /// Whether the process is running.
    bool isRunning() const { return m_process->isRunning(); }
    /// The folder that holds the program's copy.
    QString folder() const { return QString::fromStdString(m_folder.path()); }
    /// The process id (also the id of its process group).
    qint64 pid() const { return m_process->pid(); }

    /// Sets the program's clock to `fakeNow`; it keeps running from there.
    /// Exact while the clock runs at normal speed.
    void setClock(const QDateTime& fakeNow);
    /// Makes the program's clock, and every sleep it starts from now on, run
    /// `factor` times as fast as real time (1: normal speed). The clock jumps
    /// as if it had run at that speed since the start.
    void setSpeed(int factor);

    /// Waits for the program to end; true when it ended normally with code 0.
    bool waitForCleanExit(int timeoutMs);
    /// What each of the program's threads is doing now (its state, the kernel
    /// function it waits in, its system call), for a report when it hangs.
    QString describeThreads() const;
    /// Sends a signal to the program alone; true when it ended within `timeoutMs`.
    bool signalAndWaitForEnd(int signalNumber, int timeoutMs);
    /// Ends the whole process group.
    void stop();

private:
    void writeClock();

    testsupport::TemporaryFolder m_folder;
    QString m_clockFile;
    qint64 m_offsetSeconds = 0;
    int m_speed = 1;
    std::unique_ptr<testsupport::ProcessGroup> m_process;
};
