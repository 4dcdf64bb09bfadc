// What the user does to units, as the bound handlers see it: right-clicks on
// the list, the spinner's arrows, check and radio clicks, and typing into an
// integer-input edit box.

#include "host/runtime.h"
#include "unitdriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace host;

namespace {

namespace Form {
inline constexpr WindowId id{301};
inline constexpr UnitRef list{id, 1};
inline constexpr UnitRef spin{id, 2};
inline constexpr UnitRef check{id, 3};
inline constexpr UnitRef radioA{id, 4};
inline constexpr UnitRef radioB{id, 5};
inline constexpr UnitRef digits{id, 6};
} // namespace Form

// One delivered event: the unit, its argument, and what the handler read.
struct Delivered
{
    int unit = 0;
    int argument = 0;
    int seen = 0;  // the list's current row, or the box's checked state
    friend bool operator==(const Delivered&, const Delivered&) = default;
};
std::vector<Delivered> g_delivered;

EventBinding recordAs(UnitRef unit, int number, int seenProperty = -1)
{
    return {number, [unit, seenProperty](int argument) {
                const int seen = seenProperty < 0 ? 0 : readProperty(unit, seenProperty).toInt();
                g_delivered.push_back({unit.unit, argument, seen});
            }};
}

const WindowLayout& formLayout()
{
    static const WindowLayout layout{
        .id = Form::id, .name = "Form", .caption = "表单"_t, .outerWidth = 320, .outerHeight = 240,
        .units = {
            {.ref = Form::list, .name = "list", .type = UnitType::ListView, .rect = {5, 5, 200, 120},
             .columns = {{"时间"_t, 80}}, .events = {recordAs(Form::list, event::rightClicked, prop::currentRow)}},
            {.ref = Form::spin, .name = "spin", .type = UnitType::Spin, .rect = {220, 5, 18, 30},
             .events = {recordAs(Form::spin, event::arrowPressed)}},
            {.ref = Form::check, .name = "check", .type = UnitType::CheckBox, .rect = {220, 50, 80, 20},
             .text = "振动"_t, .events = {recordAs(Form::check, event::clicked, prop::checked)}},
            {.ref = Form::radioA, .name = "radioA", .type = UnitType::RadioBox, .rect = {220, 80, 80, 20},
             .text = "每天"_t, .events = {recordAs(Form::radioA, event::clicked, prop::checked)}},
            {.ref = Form::radioB, .name = "radioB", .type = UnitType::RadioBox, .rect = {220, 110, 80, 20},
             .text = "一次"_t, .events = {recordAs(Form::radioB, event::clicked, prop::checked)}},
            {.ref = Form::digits, .name = "digits", .type = UnitType::EditBox, .rect = {5, 140, 60, 20},
             .integerInput = true},
        }};
    return layout;
}

class UserInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_delivered.clear();
        registerWindow(formLayout());
        ASSERT_TRUE(loadWindow(Form::id));
        listInsertRow(Form::list, -1, "7:30"_t);
        listInsertRow(Form::list, -1, "8:00"_t);
    }
    void TearDown() override { detail::unloadAllWindows(); }
};

} // namespace

TEST_F(UserInput, RightClickOnTheListSelectsTheRowFirst)
{
    drive::rightClick(Form::list, 1);
    drive::rightClick(Form::list, -1);
    EXPECT_EQ(g_delivered, (std::vector<Delivered>{{Form::list.unit, 0, 1}, {Form::list.unit, 0, -1}}));
}

TEST_F(UserInput, SpinnerArrowsStepAndRepeat)
{
    drive::pressArrow(Form::spin, 1);
    drive::pressArrow(Form::spin, -1);
    EXPECT_EQ(g_delivered, (std::vector<Delivered>{{Form::spin.unit, 1, 0}, {Form::spin.unit, -1, 0}}));
    g_delivered.clear();
    drive::holdArrow(Form::spin, -1, 1500);
    ASSERT_GE(g_delivered.size(), 3u);  // the first press, then the repeats
    EXPECT_TRUE(std::all_of(g_delivered.begin(), g_delivered.end(), [](const Delivered& d) { return d.argument == -1; }));
}

TEST_F(UserInput, BoxesHaveChangedWhenTheirClickArrives)
{
    drive::click(Form::check);
    drive::click(Form::check);
    drive::click(Form::radioB);
    EXPECT_EQ(g_delivered, (std::vector<Delivered>{{Form::check.unit, 0, 1},
                                                   {Form::check.unit, 0, 0},
                                                   {Form::radioB.unit, 0, 1}}));
}

TEST_F(UserInput, ClickedRadioBoxIsTheOnlyOneCheckedAfterWritesCheckedTwo)
{
    writeProperty(Form::radioA, prop::checked, 1);
    writeProperty(Form::radioB, prop::checked, 1);
    drive::click(Form::radioB);
    EXPECT_FALSE(readProperty(Form::radioA, prop::checked).toBool());
    EXPECT_TRUE(readProperty(Form::radioB, prop::checked).toBool());
    writeProperty(Form::radioA, prop::checked, 1);  // a write still changes only the box written
    EXPECT_TRUE(readProperty(Form::radioB, prop::checked).toBool());
}

TEST_F(UserInput, IntegerBoxTakesDigitsAndReadsAsANumberOnceLeft)
{
    const struct
    {
        const char* typed;
        const char* shown;
        const char* left;
    } cases[] = {
        {"0", "0", "0"}, {"00", "00", "0"}, {"007", "007", "7"}, {"a1b2", "12", "12"},
        {"-5", "-5", "-5"}, {"", "", ""},   {"-", "-", ""},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.typed);
        writeProperty(Form::digits, prop::content, Text());
        drive::type(Form::digits, QString::fromUtf8(entry.typed));
        EXPECT_EQ(readProperty(Form::digits, prop::content).toText(), Text::fromUtf8(entry.shown));
        drive::leave(Form::digits);
        EXPECT_EQ(readProperty(Form::digits, prop::content).toText(), Text::fromUtf8(entry.left));
    }
}
