#include "host/commands/clock_p.h"
#include "host/commands/conversions.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <cmath>

using namespace host;

namespace {

class Clock : public ::testing::Test
{
protected:
    void TearDown() override { setClock({}); }
};

} // namespace

TEST_F(Clock, NowReadsTheReplacedClock)
{
    const DateTime fixed = dateTimeOf(2024, 2, 29, 23, 59, 59);
    setClock([fixed] { return fixed; });
    EXPECT_EQ(now(), fixed);
    setClock({});
    EXPECT_NE(now(), fixed);
}

TEST_F(Clock, SystemClockGivesLocalTimeInWholeSeconds)
{
    const QDateTime before = QDateTime::currentDateTime();
    const DateTime moment = now();
    const QDateTime after = QDateTime::currentDateTime();

    const double seconds = moment.days * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
    const QDateTime read = toQDateTime(moment);
    EXPECT_GE(read.toSecsSinceEpoch(), before.toSecsSinceEpoch());
    EXPECT_LE(read.toSecsSinceEpoch(), after.toSecsSinceEpoch());
    EXPECT_EQ(read.time().hour(), hourOf(moment));
}

TEST_F(Clock, PartsOfADay)
{
    const struct
    {
        DateTime moment;
        int hour, minute, second, weekday, day;
    } cases[] = {
        {dateTimeOf(2023, 12, 31, 23, 59, 59), 23, 59, 59, 7, 45291},
        {dateTimeOf(2024, 1, 1), 0, 0, 0, 1, 45292},
        // One second past noon is not exact in a fraction of a day; reading it
        // back must not drop to 12:00:00.
        {DateTime{45292.0 + 0.5 + 1.0 / 86400.0}, 12, 0, 1, 1, 45292},
        // A sum of fractions a hair below the next second reads as that second,
        // and a hair below midnight as the next day.
        {DateTime{45292.0 + 7.0 / 24.0 + 30.0 / 1440.0 + 4.9999999 / 86400.0}, 7, 30, 5, 1, 45292},
        {DateTime{45292.0 + 86399.9999 / 86400.0}, 0, 0, 0, 2, 45293},
        {dateTimeOf(2026, 3, 7, 7, 5), 7, 5, 0, 6, 46088},
        {DateTime{-1.25}, 6, 0, 0, 5, -1},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(hourOf(test.moment), test.hour) << test.moment.days;
        EXPECT_EQ(minuteOf(test.moment), test.minute) << test.moment.days;
        EXPECT_EQ(secondOf(test.moment), test.second) << test.moment.days;
        EXPECT_EQ(weekdayOf(test.moment), test.weekday) << test.moment.days;
        EXPECT_EQ(dayOf(test.moment), test.day) << test.moment.days;
    }
}

TEST_F(Clock, DaysCountFromTheEndOf1899)
{
    EXPECT_EQ(dateTimeOf(1899, 12, 30).days, 0.0);
    EXPECT_EQ(dateTimeOf(1900, 1, 1).days, 2.0);
    EXPECT_EQ(dateTimeOf(2024, 1, 1, 12).days, 45292.5);
    // Before the epoch the fraction still counts forward from midnight.
    const DateTime before{-1.25};
    EXPECT_EQ(hourOf(before), 6);
    EXPECT_EQ(toQDateTime(before), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(dateTimeOf(1899, 12, 29, 6).days, -1.25);
    EXPECT_EQ(toText(Value(dateTimeOf(2024, 5, 1, 8, 5, 9))), "2024-05-01 08:05:09"_t);
}
