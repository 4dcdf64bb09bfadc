// The editor as the user meets it: what it proposes, the spinners and time
// boxes, the repeat controls, adding with the five-alarm limit, modifying,
// and leaving without writing.

#include "editorfixture.h"
#include "temporaryfolder.h"
#include "ui/editor/editorhandlers.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

using namespace host;
using namespace EditorWindow;

namespace {

constexpr std::array<UnitRef, 7> kWeekdays{选择框_星期一, 选择框_星期二, 选择框_星期三, 选择框_星期四,
                                           选择框_星期五, 选择框_星期六, 选择框_星期日};

// The weekday boxes, Monday first, as "1" for checked and "0" for not.
std::string weekdays()
{
    std::string checked;
    for (UnitRef day : kWeekdays)
        checked += EditorTest::isChecked(day) ? '1' : '0';
    return checked;
}

std::string mirror(int slot)
{
    return readProperty(AlarmTable::mirrorOf(slot), prop::caption).toText().toUtf8();
}

} // namespace

TEST_F(EditorTest, AddProposesTheNextMinute)
{
    const struct
    {
        int hour, minute;
        const char* hourBox;
        const char* minuteBox;
    } cases[] = {{10, 15, "10", "16"}, {9, 59, "10", "0"}, {23, 59, "0", "0"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.hour << ":" << test.minute);
        setTime(test.hour, test.minute, 30);
        ASSERT_TRUE(add([&] {
            EXPECT_EQ(readProperty(window, prop::caption).toText(), "添加闹钟"_t);
            EXPECT_EQ(textOf(编辑框_小时), test.hourBox);
            EXPECT_EQ(textOf(编辑框_分钟), test.minuteBox);
        }));
    }
}

// The counters start from the clock, one minute behind the proposal.
TEST_F(EditorTest, SpinnersStepFromTheClock)
{
    const struct
    {
        UnitRef spinner, box;
        int step;
        const char* shown;
    } cases[] = {{调节器2, 编辑框_分钟, +1, "16"}, {调节器2, 编辑框_分钟, -1, "14"}, {调节器1, 编辑框_小时, +1, "11"},
                 {调节器1, 编辑框_小时, -1, "9"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.shown);
        ASSERT_TRUE(add([&] {
            drive::pressArrow(test.spinner, test.step);
            EXPECT_EQ(textOf(test.box), test.shown);
        }));
    }
    // Held down, an arrow repeats.
    ASSERT_TRUE(add([] {
        drive::holdArrow(调节器1, +1, 1500);
        EXPECT_GE(toInteger(Value(readProperty(编辑框_小时, prop::content).toText())), 12);
    }));
    // At the ends of the integers a press changes nothing.
    putRow({"2147483647:-2147483648", "开启", "仅响一次", "", "无", "假"});
    ASSERT_TRUE(modify(0, [] {
        drive::pressArrow(调节器1, +1);
        drive::pressArrow(调节器2, -1);
        EXPECT_EQ(textOf(编辑框_小时), "2147483647");
        EXPECT_EQ(textOf(编辑框_分钟), "-2147483648");
    }));
}

TEST_F(EditorTest, TimeBoxesTakeIntegers)
{
    const struct
    {
        const char* typed;
        const char* left;
    } cases[] = {{"007", "7"}, {"1a2", "12"}, {"-3", "-3"},
                 // Needs the host's integer input to keep a lone 0.
                 {"0", "0"}};
    ASSERT_TRUE(add([&] {
        for (const auto& test : cases) {
            SCOPED_TRACE(test.typed);
            retype(编辑框_分钟, QString::fromUtf8(test.typed));
            drive::leave(编辑框_分钟);
            EXPECT_EQ(textOf(编辑框_分钟), test.left);
        }
    }));
}

TEST_F(EditorTest, ConfirmAddsTheAlarm)
{
    const struct
    {
        const char* name;
        int hour, minute;
        std::function<void()> steps;
        Cells row;
    } cases[] = {
        {"defaults at a full hour", 6, 59, [] {}, {"7:0", "开启", "仅响一次", "", "无", "假"}},
        {"midnight hour", 0, 29, [] {}, {"0:30", "开启", "仅响一次", "", "无", "假"}},
        {"every day", 10, 15, [] { drive::click(单选框_每天); }, {"10:16", "开启", "星期一、二、三、四、五、六、日", "", "无", "假"}},
        {"working days", 10, 15, [] { drive::click(单选框_工作日); }, {"10:16", "开启", "星期一、二、三、四、五", "", "无", "假"}},
        {"Monday and Wednesday", 10, 15,
         [] {
             drive::click(单选框_自定);
             drive::click(选择框_星期一);
             drive::click(选择框_星期三);
         },
         {"10:16", "开启", "星期、一、三", "", "无", "假"}},
        {"custom without a day", 10, 15, [] { drive::click(单选框_自定); }, {"10:16", "开启", "星期", "", "无", "假"}},
        {"disabled, shaking, with a note", 10, 15,
         [] {
             drive::click(选择框_启动闹钟);
             drive::click(选择框_振动);
             drive::type(编辑框_备注, "9 am");
         },
         {"10:16", "关闭", "仅响一次", "9 am", "无", "真"}},
        {"custom music with no path", 10, 15, [] { drive::click(选择框_自定音乐); }, {"10:16", "开启", "仅响一次", "", "", "假"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        AlarmTable::deleteRow(0);
        setTime(test.hour, test.minute, 30);
        ASSERT_TRUE(add([&] {
            test.steps();
            drive::click(按钮2);
            EXPECT_TRUE(editorCloses());
        }));
        ASSERT_EQ(AlarmTable::count(), 1);
        EXPECT_EQ(cellsOf(0), test.row);
        EXPECT_EQ(mirror(1), test.row[0]);
    }
}

TEST_F(EditorTest, WeekdaysFollowTheRepeatChoice)
{
    const struct
    {
        UnitRef radio;
        const char* afterClick;
        const char* afterTick;  // once the user has clicked Monday and Saturday
    } cases[] = {
        {单选框_工作日, "1111100", "0111100"},  // the sync only clears the weekend
        {单选框_每天, "1111111", "1111111"},
        {单选框_单次, "0000000", "0000000"},
        {单选框_自定, "0000000", "1000010"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.afterClick);
        ASSERT_TRUE(add([&] {
            if (test.radio == 单选框_单次)
                drive::click(单选框_每天);
            drive::click(test.radio);
            EXPECT_EQ(weekdays(), test.afterClick);
            drive::click(选择框_星期一);
            drive::click(选择框_星期六);
            EXPECT_TRUE(testsupport::waitUntil([&] { return weekdays() == test.afterTick; }, std::chrono::seconds(3))) << weekdays();
        }));
    }
}

TEST_F(EditorTest, MusicFrameAndBrowse)
{
    const testsupport::TemporaryFolder folder;
    const QString chosen = QString::fromStdString(folder.file("铃声.mp3"));
    QFile(chosen).open(QIODevice::WriteOnly);
    const std::string path = chosen.toStdString();
    // Clicks 打开 and picks the file, or cancels; whether the dialog showed.
    const auto browse = [&chosen](bool pick) {
        const auto watch = ModalWatch::answering<QFileDialog>([&chosen, pick](QFileDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QString("打开音乐"));
            if (!pick)
                return dialog->reject();
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
            dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->click();
        });
        drive::click(按钮1);
        return watch.seen();
    };
    ASSERT_TRUE(add([&] {
        EXPECT_FALSE(drive::widgetOf(按钮1)->isEnabled());
        drive::click(选择框_自定音乐);
        EXPECT_TRUE(drive::widgetOf(按钮1)->isEnabled());
        EXPECT_TRUE(browse(true));
        EXPECT_EQ(textOf(编辑框_自定音乐), path);
        EXPECT_TRUE(browse(false));
        EXPECT_EQ(textOf(编辑框_自定音乐), path);
        drive::click(按钮2);
    }));
    EXPECT_EQ(cellsOf(0)[4], path);

    // Modifying: the frame opens with the alarm's file, and 打开 works there too.
    AlarmTable::setCell(0, AlarmTable::AlarmColumn::Music, "旧.mp3"_t);
    ASSERT_TRUE(modify(0, [&] {
        EXPECT_TRUE(drive::widgetOf(按钮1)->isEnabled());
        EXPECT_TRUE(browse(false));
        EXPECT_EQ(textOf(编辑框_自定音乐), "旧.mp3");
        EXPECT_TRUE(browse(true));
        EXPECT_EQ(textOf(编辑框_自定音乐), path);
        drive::click(选择框_自定音乐);
        EXPECT_FALSE(drive::widgetOf(按钮1)->isEnabled());
    }));
}

TEST_F(EditorTest, FifthAlarmIsKeptAndSixthRemoved)
{
    for (int slot = 1; slot <= 4; ++slot)
        putRow({std::to_string(slot) + ":0", "开启", "仅响一次", "", "无", "假"});
    for (int attempt = 5; attempt <= 6; ++attempt) {
        SCOPED_TRACE(attempt);
        setTime(attempt, 0, 30);
        QString said;
        ASSERT_TRUE(add([&] {
            auto watch = ModalWatch::answering<QMessageBox>([&said](QMessageBox* box) {
                said = box->text();
                box->button(QMessageBox::Ok)->click();
            });
            drive::click(按钮2);
        }));
        EXPECT_EQ(said, QString("最多设置5个闹钟！"));
        EXPECT_EQ(AlarmTable::count(), 5);
        EXPECT_EQ(cellsOf(4)[0], "5:1");
    }
}

TEST_F(EditorTest, LeavingWritesNothing)
{
    for (bool closeBox : {false, true}) {
        ASSERT_TRUE(add([closeBox] {
            drive::pressArrow(调节器1, +1);
            drive::click(单选框_每天);
            drive::type(编辑框_备注, "no");
            if (closeBox)
                drive::pressCloseBox(id);
            else
                drive::click(按钮3);
            EXPECT_TRUE(editorCloses());
        }));
        EXPECT_EQ(AlarmTable::count(), 0);
        EXPECT_EQ(mirror(1), "1");
    }
}

// Confirming without a change writes the alarm back as it was; the two
// spelled-out custom texts open on their radio boxes and come back in the
// radio boxes' own words.
TEST_F(EditorTest, ModifyRoundTripsEachRepeatRule)
{
    const struct
    {
        const char* stored;
        UnitRef radio;
        const char* days;
        const char* confirmed;
    } cases[] = {
        {"仅响一次", 单选框_单次, "0000000", "仅响一次"},
        {"星期一、二、三、四、五、六、日", 单选框_每天, "1111111", "星期一、二、三、四、五、六、日"},
        {"星期一、二、三、四、五", 单选框_工作日, "1111100", "星期一、二、三、四、五"},
        {"星期、一、三", 单选框_自定, "1010000", "星期、一、三"},
        {"星期、六、日", 单选框_自定, "0000011", "星期、六、日"},
        {"星期", 单选框_自定, "0000000", "星期"},
        {"星期、一、二、三、四、五、六、日", 单选框_每天, "1111111", "星期一、二、三、四、五、六、日"},
        {"星期、一、二、三、四、五", 单选框_工作日, "1111100", "星期一、二、三、四、五"},
        // Days out of order are not a rule the editor writes: the alarm rings once, and shows no day.
        {"星期、三、一", 单选框_自定, "0000000", "星期"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.stored);
        AlarmTable::deleteRow(0);
        putRow({"7:5", "关闭", test.stored, "起床", "/音乐/响.mp3", "真"});
        ASSERT_TRUE(modify(0, [&] {
            EXPECT_EQ(readProperty(window, prop::caption).toText(), "修改闹钟"_t);
            EXPECT_TRUE(isChecked(test.radio));
            EXPECT_EQ(weekdays(), test.days);
            drive::click(按钮2);
            EXPECT_TRUE(editorCloses());
        }));
        EXPECT_EQ(cellsOf(0), (Cells{"7:5", "关闭", test.confirmed, "起床", "/音乐/响.mp3", "真"}));
    }
}

TEST_F(EditorTest, ModifyRewritesTimeAndNote)
{
    // An alarm that has rung and is given a new time or rule rings again; one
    // that keeps both stays retired.
    for (const char* change : {"time", "rule", ""}) {
        SCOPED_TRACE(change);
        const bool newTime = change == std::string("time");
        const bool newRule = change == std::string("rule");
        putRow({"7:30", "开启", "仅响一次", "起床", "无", "假"});
        AlarmTable::setSlotState(1, AlarmTable::SlotState::Retired);
        ASSERT_TRUE(modify(0, [newTime, newRule] {
            EXPECT_EQ(textOf(编辑框_小时), "7");
            EXPECT_EQ(textOf(编辑框_分钟), "30");
            EXPECT_FALSE(drive::widgetOf(按钮1)->isEnabled());
            if (newTime) {
                drive::pressArrow(调节器2, +1);
                drive::pressArrow(调节器1, -1);
            }
            if (newRule)
                drive::click(单选框_每天);
            retype(编辑框_备注, "");
            drive::click(按钮2);
        }));
        const std::string time = newTime ? "6:31" : "7:30";
        EXPECT_EQ(cellsOf(0), (Cells{time, "开启", newRule ? "星期一、二、三、四、五、六、日" : "仅响一次", "", "无", "假"}));
        // The due check watches the mirror, so the alarm comes due at its time.
        EXPECT_EQ(mirror(1), time);
        EXPECT_EQ(AlarmTable::slotState(1),
                  *change ? AlarmTable::SlotState::Watching : AlarmTable::SlotState::Retired);
        AlarmTable::deleteRow(0);
    }
}

TEST_F(EditorTest, ModifyWithoutSelectionChangesNothing)
{
    putRow({"7:30", "开启", "仅响一次", "起床", "无", "假"});
    ASSERT_TRUE(modify(-1, [] {
        EXPECT_EQ(textOf(编辑框_小时), "");
        EXPECT_EQ(textOf(编辑框_分钟), "");
        drive::click(按钮2);
        EXPECT_TRUE(editorCloses());
    }));
    EXPECT_EQ(cellsOf(0), (Cells{"7:30", "开启", "仅响一次", "起床", "无", "假"}));
    EXPECT_EQ(mirror(1), "7:30");
}
