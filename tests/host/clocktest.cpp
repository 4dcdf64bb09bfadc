#include "host/commands/clockqt.h"
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
    const DateTime lastSecond = dateTimeOf(2023, 12, 31, 23, 59, 59);
    EXPECT_EQ(hourOf(lastSecond), 23);
    EXPECT_EQ(minuteOf(lastSecond), 59);
    EXPECT_EQ(secondOf(lastSecond), 59);

    const DateTime midnight = dateTimeOf(2024, 1, 1);
    EXPECT_EQ(hourOf(midnight), 0);
    EXPECT_EQ(minuteOf(midnight), 0);
    EXPECT_EQ(secondOf(midnight), 0);

    // One second past noon is not exact in a fraction of a day; reading it
    // back must not drop to 12:00:00.
    const DateTime afterNoon{45292.0 + 0.5 + 1.0 / 86400.0};
    EXPECT_EQ(hourOf(afterNoon), 12);
    EXPECT_EQ(secondOf(afterNoon), 1);
    // A sum of fractions a hair below the next second reads as that second.
    const DateTime almost{45292.0 + 7.0 / 24.0 + 30.0 / 1440.0 + 4.9999999 / 86400.0};
    EXPECT_EQ(hourOf(almost), 7);
    EXPECT_EQ(minuteOf(almost), 30);
    EXPECT_EQ(secondOf(almost), 5);
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
