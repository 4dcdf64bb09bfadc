#pragma once

// The fixture of the scenarios: a private desktop, a private PulseAudio whose
// null sink is recorded, and the program started on them with a fake clock,
// its main window on screen. Helpers act on the windows at the places where
// their units are laid out, as a user would click and type.

#include "desktopsession.h"
#include "programrun.h"
#include "pulseserver.h"

#include <QDateTime>
#include <QImage>
#include <QMap>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

/// What a scenario fills in in the editor; everything else keeps the editor's proposal.
struct AlarmInput
{
    QString hour;
    QString minute;
    QString note;
    bool shake = false;
    /// The centre of the repeat choice to click; none: 单次 as proposed.
    const int* repeat = nullptr;
};

class ProgramTest : public ::testing::Test
{
protected:
    using Clock = std::chrono::steady_clock;

    /// Where the program's clock starts: a few seconds before the minute 07:05.
    static QDateTime at(int hour, int minute, int second);
    /// The true-colour images of the program's icon file, by size, as ARGB32.
    static QMap<int, QImage> iconFileImages();

    void SetUp() override;
    void TearDown() override;

    /// Starts the program with its clock at `fakeNow` and waits for the main window.
    void startProgram(const QDateTime& fakeNow, const ProgramRun::Options& options = {});

    /// Starts the program with its clock at `fakeNow`, adds `alarm` and waits for the editor to close.
    void startWithAlarm(const QDateTime& fakeNow, const AlarmInput& alarm, const ProgramRun::Options& options = {});
    /// Waits for the ringing window of the first alarm, "闹钟1"; its window or 0.
    unsigned long waitForRinging(int timeoutMs = 20000);
    /// Expects the main window at its size, centred on the screen.
    void expectMainWindowCentred() const;

    /// Opens the editor with "添加闹钟"; its window or 0.
    unsigned long openAddEditor();
    /// Adds an alarm through the editor and confirms with "完成".
    void addAlarm(const AlarmInput& alarm);
    /// Right-clicks row `row` of the alarm list, which opens its popup menu.
    void openListMenu(int row);
    /// Right-clicks row `row` of the alarm list and chooses the popup menu's
    /// item `item` (0: enable/disable, 1: modify, 2: delete).
    void chooseFromListMenu(int row, int item);
    /// The text of a cell of the alarm list, copied from the list; row -1: the last row.
    QString listCell(int row, int column);
    /// Answers the message box titled `title` with Return (its default button); false when none opened.
    bool answerMessageBox(const QString& title);

    /// Whether the null sink carries sound (a loud piece) after `since`, waiting up to timeout.
    bool soundHeardAfter(Clock::time_point since, std::chrono::milliseconds timeout) const;

    DesktopSession m_desktop;
    std::optional<soundtest::PulseServer> m_pulse;
    std::optional<soundtest::MonitorRecorder> m_recorder;
    std::unique_ptr<ProgramRun> m_program;
    unsigned long m_main = 0;
};

/// Client-area centres of the units the scenarios use, from the window layouts.
namespace centre {
inline constexpr int addButton[] = {256, 24};
inline constexpr int hourBox[] = {52, 48};
inline constexpr int minuteBox[] = {196, 48};
inline constexpr int clockHour[] = {41, 46};
inline constexpr int clockMinute[] = {105, 46};
inline constexpr int clockSecond[] = {169, 46};
inline constexpr int shakeBox[] = {180, 112};
inline constexpr int everyDayChoice[] = {129, 157};
inline constexpr int workingDaysChoice[] = {76, 157};
inline constexpr int noteBox[] = {144, 308};
inline constexpr int confirmButton[] = {97, 361};
inline constexpr int ringNote[] = {168, 115};
inline constexpr int snoozeButton[] = {108, 180};
inline constexpr int stopButton[] = {228, 180};
} // namespace centre
