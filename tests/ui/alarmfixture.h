#pragma once

// What the tests of ringing and of the main window share: the program's
// windows on a fixed clock, sound captured instead of heard, the snooze's
// sleep recorded instead of slept, and a watch on the ringing window from the
// nested loops the program waits in.

#include "alarmrows.h"
#include "programwindows.h"
#include "sound/capturelog.h"
#include "temporaryfolder.h"

#include <QPointer>
#include <QWidget>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>


/// The main window loaded at 12:00:00 with an empty table.
class AlarmFixture : public ProgramWindows
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Captures sound from now on in a fresh log; speed 1 plays in real time.
    host::sound::CaptureLog& captureSound(double speed = 0.0);
    /// The log sound goes to.
    host::sound::CaptureLog& sound() { return *m_logs.back(); }
    /// Waits until `count` files have started playing.
    bool waitForSegments(std::size_t count);
    /// An MP3 of the alarm's own, told from the built-in sound by its format
    /// (22050 Hz, one channel).
    std::string ownMusic();

    /// The sleeps asked of the program (the snooze), each with what `m_duringSleep` saw.
    std::vector<std::chrono::milliseconds> m_sleeps;
    std::function<void()> m_duringSleep;

private:
    testsupport::TemporaryFolder m_files;
    QByteArray m_previousRuntimeFolder;
    // Every log of the test: a player stopped by one may still be closing its output.
    std::vector<std::unique_ptr<host::sound::CaptureLog>> m_logs;
};

/// The built-in sound's format, and the alarm's own.
bool isBuiltInSound(const host::sound::CaptureLog::Segment& segment);
bool isOwnMusic(const host::sound::CaptureLog::Segment& segment);

/// Calls `onOpen` each time the ringing window opens; from a timer, so it
/// runs inside the loop the due check waits in.
class RingWatch final
{
public:
    explicit RingWatch(std::function<void()> onOpen);
    int openings() const { return m_openings; }

private:
    std::function<void()> m_onOpen;
    // Each opening is a new window, even when no tick saw the last one closed.
    QPointer<QWidget> m_last;
    int m_openings = 0;
    QTimer m_timer;
};
