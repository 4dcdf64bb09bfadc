#include "alarmfixture.h"

#include "core/defaultsound.h"
#include "host/commands.h"
#include "host/runtime/runtime.h"
#include "host/sound/soundservice.h"
#include "modalwatch.h"
#include "testwindows.h"
#include "ui/main/mainwindowhandlers.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/main/settingswindowlayout.h"
#include "ui/ring/ringwindowhandlers.h"
#include "ui/ring/ringwindowlayout.h"
#include "unitdriver.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <set>

using namespace host;
using RingWindow::repositionRingWindow;

namespace {

constexpr std::array<UnitRef, 4> kShakeTimers{RingWindow::时钟1, RingWindow::时钟2, RingWindow::时钟3, RingWindow::时钟4};

// The ringing window opened for slot 1 as the due check would, but without
// waiting for it, so the test can act on it.
class Ringing : public AlarmFixture
{
protected:
    void TearDown() override
    {
        AlarmFixture::TearDown();
        QDir().rmdir(QString::fromStdString(DefaultSound::homeFile().toUtf8()));
    }
    static void ring(const char* slotName = "闹钟1")
    {
        writeProperty(MainWindow::标签_响铃, prop::caption, Value(Text::fromUtf8(slotName)));
        ASSERT_TRUE(loadWindow(RingWindow::id));
    }
    static int read(UnitRef unit, int property) { return readProperty(unit, property).toInt(); }
    static bool visible(UnitRef window) { return readProperty(window, prop::visible).toBool(); }
};

// Counts what would make the window flicker or jump in front again.
class RestackCounter final : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::ZOrderChange || type == QEvent::Show || type == QEvent::Hide || type == QEvent::WinIdChange)
            ++count;
        return false;
    }
};

} // namespace

enum class Heard { Nothing, BuiltIn, Own };
struct StartCase
{
    const char* name;
    const char* slotName;
    const char* music;  // "own" for an MP3 of the alarm's own
    const char* vibrate;
    Heard heard;
    bool shakes;
};

class StartsWithTheSlotsAlarm : public Ringing, public ::testing::WithParamInterface<StartCase>
{
};

TEST_P(StartsWithTheSlotsAlarm, SoundShakeAndNote)
{
    const StartCase& test = GetParam();
    const std::string music = std::string(test.music) == "own" ? ownMusic() : test.music;
    addAlarm("7:5", fields("开启", music.c_str(), test.vibrate, "记得带伞"));

    ring(test.slotName);

    EXPECT_EQ(readProperty(RingWindow::window, prop::caption).toText(), Text::fromUtf8(test.slotName));
    const bool slotNamed = std::string(test.slotName) != "标签";
    EXPECT_EQ(readProperty(RingWindow::编辑框1, prop::content).toText(), slotNamed ? "记得带伞"_t : Text());
    for (std::size_t index = 0; index < kShakeTimers.size(); ++index)
        EXPECT_EQ(read(kShakeTimers[index], prop::interval), test.shakes ? 103 - static_cast<int>(index) : 0);
    EXPECT_EQ(read(RingWindow::时钟5, prop::interval), 60000);
    EXPECT_EQ(read(RingWindow::时钟6, prop::interval), 1);
    if (test.heard == Heard::Nothing) {
        testwindows::pump(300);
        EXPECT_TRUE(sound().segments().empty());
    } else {
        ASSERT_TRUE(waitForSegments(1));
        EXPECT_TRUE(test.heard == Heard::BuiltIn ? isBuiltInSound(sound().segments()[0])
                                                  : isOwnMusic(sound().segments()[0]));
        testwindows::pump(300);
        EXPECT_EQ(sound().segments().size(), 1u);  // once, not again
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ringing, StartsWithTheSlotsAlarm,
    ::testing::Values(StartCase{"DefaultSound", "闹钟1", "无", "假", Heard::BuiltIn, false},
                      StartCase{"OwnMusicAndShake", "闹钟1", "own", "真", Heard::Own, true},
                      StartCase{"EmptyPathIsSilent", "闹钟1", "", "真", Heard::Nothing, true},
                      StartCase{"MissingFileIsSilent", "闹钟1", "/no/such/file.mp3", "假", Heard::Nothing, false},
                      // No slot named: caption only.
                      StartCase{"NoSlotNamed", "标签", "无", "真", Heard::Nothing, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Ringing, ShakesInStepsOfTenPixelsAndReturnsToMidScreenEachMinute)
{
    addAlarm("7:5", fields("开启", "无", "真"));
    ring();
    const int left = read(RingWindow::window, prop::left);
    const int top = read(RingWindow::window, prop::top);
    std::set<int> lefts;
    std::set<int> tops;
    for (int sample = 0; sample < 100; ++sample) {
        testwindows::pump(10);
        lefts.insert(read(RingWindow::window, prop::left) - left);
        tops.insert(read(RingWindow::window, prop::top) - top);
    }
    EXPECT_GT(lefts.size(), 1u);
    EXPECT_GT(tops.size(), 1u);
    for (const std::set<int>& offsets : {lefts, tops}) {
        for (int offset : offsets)
            EXPECT_EQ(offset % 10, 0) << offset;
    }

    repositionRingWindow();
    EXPECT_EQ(read(RingWindow::window, prop::left), screenWidth() / 2);
    EXPECT_EQ(read(RingWindow::window, prop::top), screenHeight() / 2);
    EXPECT_EQ(read(RingWindow::window, prop::width), 355);
}

TEST_F(Ringing, SnoozeHidesEveryWindowForFiveMinutesThenSoundsTheDefault)
{
    addAlarm("7:5", fields("开启", ownMusic().c_str()));
    ASSERT_TRUE(loadWindow(SettingsWindow::id));  // left open under the ringing
    bool hiddenWhileAsleep = false;
    m_duringSleep = [&] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        hiddenWhileAsleep = !visible(RingWindow::window) && !visible(MainWindow::window) &&
                            std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); });
    };
    std::unique_ptr<ModalWatch> boxes;
    // It rings over the delete question, which must outlast the snooze.
    RingWatch watch([&] {
        EXPECT_TRUE(waitForSegments(1));
        boxes = std::make_unique<ModalWatch>(QMessageBox::Ok);
        drive::click(RingWindow::按钮2);
        EXPECT_TRUE(visible(RingWindow::window) && visible(MainWindow::window) && visible(SettingsWindow::window));
        EXPECT_TRUE(waitForSegments(2));  // the default sound, before it is stopped
        drive::click(RingWindow::按钮1);
    });
    setTime(7, 5);
    MainWindow::clockTick();
    AlarmTable::setSelectedRow(0);
    MainWindow::deleteAlarmChosen();

    // Once the ringing stops the question waits again, and its OK deletes.
    EXPECT_TRUE(column(AlarmTable::AlarmColumn::RingTime).empty());
    ASSERT_EQ(boxes ? boxes->shown().size() : 0u, 2u);
    EXPECT_EQ(boxes->shown()[0].text, QString("5分钟后再看得见！"));
    EXPECT_EQ(boxes->shown()[0].title, QString("信息："));
    EXPECT_EQ(m_sleeps, std::vector<std::chrono::milliseconds>{std::chrono::minutes(5)});
    EXPECT_TRUE(hiddenWhileAsleep);
    EXPECT_EQ(boxes->shown()[1].text, QString("将会删除此闹钟。"));
    ASSERT_TRUE(waitForSegments(2));
    EXPECT_TRUE(isOwnMusic(sound().segments()[0]));
    EXPECT_TRUE(isBuiltInSound(sound().segments()[1]));
}

TEST_F(Ringing, KeepingOnTopNeitherRestacksNorReshowsTheWindow)
{
    addAlarm("7:5");
    ring();
    RestackCounter counter;
    drive::widgetOf(RingWindow::window)->installEventFilter(&counter);
    testwindows::pump(300);  // some hundreds of ticks
    EXPECT_EQ(counter.count, 0);
    EXPECT_TRUE(readProperty(RingWindow::window, prop::alwaysOnTop).toBool());
}

class DefaultSoundIsHeard : public Ringing, public ::testing::WithParamInterface<bool>
{
};

TEST_P(DefaultSoundIsHeard, WhenItsFileIsGoneOrCannotBeWritten)
{
    const bool writable = GetParam();
    const QString home = QString::fromStdString(DefaultSound::homeFile().toUtf8());
    ASSERT_TRUE(removeFile(DefaultSound::homeFile()));
    if (!writable) {
        ASSERT_TRUE(QDir().mkdir(home));  // nothing can write a file there now
    }
    addAlarm("7:5");

    ring();

    ASSERT_TRUE(sound().waitFor([](const auto& segments) { return !segments.empty() && segments[0].drained; },
                                std::chrono::seconds(5)));
    EXPECT_TRUE(isBuiltInSound(sound().segments()[0]));
    EXPECT_GT(sound().segments()[0].frames, 44100 * 20);  // the whole sound, not a broken file
}

INSTANTIATE_TEST_SUITE_P(Ringing, DefaultSoundIsHeard, ::testing::Values(true, false), [](const auto& info) {
    return std::string(info.param ? "RemovedWhileRunning" : "ProgramFolderNotWritable");
});
