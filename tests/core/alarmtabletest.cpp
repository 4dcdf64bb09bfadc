#include "alarmrows.h"
#include "corewindow.h"
#include "host/runtime/runtime.h"
#include "modalwatch.h"

#include <QMessageBox>

using namespace host;
using AlarmTable::AlarmColumn;

using AlarmTableTest = CoreWindow;

TEST_F(AlarmTableTest, EmptyTableReadsEmptyAndEmptiesTheMirrors)
{
    for (int column = 0; column <= static_cast<int>(AlarmColumn::Vibrate); ++column)
        EXPECT_EQ(AlarmTable::cell(0, static_cast<AlarmColumn>(column)), Text());
    EXPECT_EQ(AlarmTable::selectedRow(), -1);
    EXPECT_EQ(AlarmTable::mirror(1), "1"_t);
    AlarmTable::refreshMirrors();
    EXPECT_EQ(mirrors(), std::vector<Text>(5));
}

TEST_F(AlarmTableTest, AddWritesTheRowSelectsItAndRefreshesTheMirrors)
{
    AlarmTable::add("7:5"_t, fields("开启", "/music/起床.mp3", "真", "喝水"));
    EXPECT_EQ(AlarmTable::count(), 1);
    EXPECT_EQ(AlarmTable::selectedRow(), 0);
    const std::vector<std::pair<AlarmColumn, Text>> expected{
        {AlarmColumn::RingTime, "7:5"_t}, {AlarmColumn::Enabled, "开启"_t}, {AlarmColumn::Repeat, "仅响一次"_t},
        {AlarmColumn::Note, "喝水"_t},    {AlarmColumn::Music, "/music/起床.mp3"_t}, {AlarmColumn::Vibrate, "真"_t}};
    for (const auto& [column, text] : expected)
        EXPECT_EQ(AlarmTable::cell(0, column), text) << static_cast<int>(column);
    EXPECT_EQ(mirrors(), (std::vector<Text>{"7:5"_t, {}, {}, {}, {}}));
}

TEST_F(AlarmTableTest, KeepsAtMostFiveAlarmsAndSaysSoOnce)
{
    const std::vector<Text> five{"1:0"_t, "2:0"_t, "3:0"_t, "4:0"_t, "5:0"_t};
    struct Case
    {
        int rowsBefore;
        int messages;
    };
    for (const Case& test : {Case{3, 0}, Case{4, 1}, Case{5, 1}}) {
        SCOPED_TRACE(test.rowsBefore);
        while (AlarmTable::count() > 0)
            AlarmTable::deleteRow(0);
        for (int row = 0; row < test.rowsBefore; ++row)
            AlarmTable::appendRow(five[static_cast<std::size_t>(row)]);
        // Stale mirrors: the add must refresh them even when it removes its row again.
        for (int slot = 1; slot <= 5; ++slot)
            writeProperty(AlarmTable::mirrorOf(slot), prop::caption, Value("x"_t));

        ModalWatch boxes(QMessageBox::Ok);
        AlarmTable::add(test.rowsBefore < 5 ? five[static_cast<std::size_t>(test.rowsBefore)] : "6:0"_t, fields("开启"));

        const int rowsAfter = std::min(test.rowsBefore + 1, 5);
        EXPECT_EQ(AlarmTable::count(), rowsAfter);
        ASSERT_EQ(boxes.shown().size(), static_cast<std::size_t>(test.messages));
        for (const auto& box : boxes.shown()) {
            EXPECT_EQ(box.text, QString("最多设置5个闹钟！"));
            EXPECT_EQ(box.title, QString("信息："));
            EXPECT_EQ(box.buttons, 1);
        }
        const std::vector<Text> kept(five.begin(), five.begin() + rowsAfter);
        EXPECT_EQ(column(AlarmColumn::RingTime), kept);
        std::vector<Text> expectedMirrors = kept;
        expectedMirrors.resize(5);
        EXPECT_EQ(mirrors(), expectedMirrors);
    }
}
