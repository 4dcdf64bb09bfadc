#pragma once

// What the tests of the alarm core and the main window share: the program's
// windows on a fixed clock, sound captured instead of heard, the snooze's
// sleep recorded instead of slept, and helpers that answer message boxes and
// the ringing window from the nested loops the program waits in.

#include "core/alarmtable.h"
#include "sound/capturelog.h"

#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMessageBox;
class QWidget;

/// The main window loaded at 12:00:00 with an empty table.
class AlarmFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Today at hour:minute:second on the program's clock.
    static void setTime(int hour, int minute, int second = 0);
    /// Adds an alarm as the editor confirms one: enabled, once, the default
    /// sound and no shake unless `fields` says otherwise.
    static void addAlarm(const char* ringTime, AlarmTable::AlarmFields fields = {});
    /// One column of the table, row by row.
    static std::vector<host::Text> column(AlarmTable::AlarmColumn which);
    /// The five hidden mirror labels' captions, slot 1 first.
    static std::vector<host::Text> mirrors();
    /// Fields with one change from the defaults of addAlarm.
    static AlarmTable::AlarmFields fields(const char* enabled, const char* music = "无", const char* vibrate = "假",
                                          const char* note = "");
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
    QTemporaryDir m_files;
    QByteArray m_previousRuntimeFolder;
    // Every log of the test: a player stopped by one may still be closing its output.
    std::vector<std::unique_ptr<host::sound::CaptureLog>> m_logs;
};

/// The built-in sound's format, and the alarm's own.
bool isBuiltInSound(const host::sound::CaptureLog::Segment& segment);
bool isOwnMusic(const host::sound::CaptureLog::Segment& segment);

/// Answers every message box shown while it lives, and records them.
class BoxAnswerer final
{
public:
    enum class Answer { Ok, Cancel };
    struct Shown
    {
        QString title;
        QString text;
        int buttons = 0;
    };

    explicit BoxAnswerer(Answer answer);
    const std::vector<Shown>& shown() const { return m_shown; }

private:
    void check();

    Answer m_answer;
    std::vector<Shown> m_shown;
    QPointer<QMessageBox> m_last;
    QTimer m_timer;
};

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
