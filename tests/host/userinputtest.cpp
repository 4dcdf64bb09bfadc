// What the user does to units, as the bound handlers see it: right-clicks on
// the list, the spinner's arrows, check and radio clicks, and typing into an
// integer-input edit box.

#include "host/runtime/runtime.h"
#include "probewindows.h"
#include "unitdriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace host;
using namespace testwindows;

namespace {

class UserInput : public LoadedProbe
{
protected:
    void SetUp() override
    {
        LoadedProbe::SetUp();
        listInsertRow(Probe::list, -1, "7:30"_t);
        listInsertRow(Probe::list, -1, "8:00"_t);
    }
};

} // namespace

TEST_F(UserInput, RightClickOnTheListSelectsTheRowFirst)
{
    drive::rightClick(Probe::list, 1);
    drive::rightClick(Probe::list, -1);
    EXPECT_EQ(g_probe.delivered, (std::vector<Delivered>{{Probe::list, 0, 1}, {Probe::list, 0, -1}}));
}

TEST_F(UserInput, SpinnerArrowsStepAndRepeat)
{
    drive::pressArrow(Probe::spin, 1);
    drive::pressArrow(Probe::spin, -1);
    EXPECT_EQ(g_probe.delivered, (std::vector<Delivered>{{Probe::spin, 1, 0}, {Probe::spin, -1, 0}}));
    g_probe.delivered.clear();
    drive::holdArrow(Probe::spin, -1, 1500);
    ASSERT_GE(g_probe.delivered.size(), 3u);  // the first press, then the repeats
    EXPECT_TRUE(std::all_of(g_probe.delivered.begin(), g_probe.delivered.end(), [](const Delivered& d) { return d.argument == -1; }));
}

TEST_F(UserInput, BoxesHaveChangedWhenTheirClickArrives)
{
    drive::click(Probe::check);
    drive::click(Probe::check);
    drive::click(Probe::radioB);
    EXPECT_EQ(g_probe.delivered, (std::vector<Delivered>{{Probe::check, 0, 0},
                                                   {Probe::check, 0, 1},
                                                   {Probe::radioB, 0, 1}}));
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
        writeProperty(Probe::digits, prop::content, Text());
        drive::type(Probe::digits, QString::fromUtf8(entry.typed));
        EXPECT_EQ(readProperty(Probe::digits, prop::content).toText(), Text::fromUtf8(entry.shown));
        drive::leave(Probe::digits);
        EXPECT_EQ(readProperty(Probe::digits, prop::content).toText(), Text::fromUtf8(entry.left));
    }
}
