#include "host/commands/conversions.h"

#include <gtest/gtest.h>

#include <limits>

using namespace host;

namespace {

// "时间" in GBK: two double-byte characters, lead bytes 0xCA and 0xB1.
const Text twoChineseCharacters = Text::fromBytes("\xCA\xB1\xBC\xE4");

} // namespace

TEST(TextCommands, LengthCountsBytes)
{
    EXPECT_EQ(textLength(twoChineseCharacters), 4);
    EXPECT_EQ(textLength("时间"_t), 4);
    EXPECT_EQ(textLength(Text()), 0);
}

TEST(TextCommands, MidTextCutsAtTheEndAndRejectsPositionsOutside)
{
    EXPECT_EQ(midText("abc"_t, 0, 2), Text());
    EXPECT_EQ(midText("abc"_t, 4, 1), Text());
    EXPECT_EQ(midText("abc"_t, 2, 5), "bc"_t);
    EXPECT_EQ(midText("abc"_t, 1, 0), Text());
    EXPECT_EQ(midText("abc"_t, 1, -1), Text());
    EXPECT_EQ(midText("abc"_t, 3, 1), "c"_t);
    EXPECT_EQ(midText("abc"_t, 1, std::numeric_limits<std::int32_t>::max()), "abc"_t);
    // Byte positions: a double-byte character can be cut in two.
    EXPECT_EQ(midText(twoChineseCharacters, 2, 2).bytes(), "\xB1\xBC");
}

TEST(TextCommands, CharCodeIsASignedByte)
{
    EXPECT_EQ(charCode(twoChineseCharacters), static_cast<std::int8_t>(0xCA));
    EXPECT_LT(charCode(twoChineseCharacters, 1), 0);
    EXPECT_EQ(charCode(twoChineseCharacters, 4), static_cast<std::int8_t>(0xE4));
    EXPECT_EQ(charCode("A"_t), 65);
    EXPECT_EQ(charCode(Text()), 0);
    EXPECT_EQ(charCode("abc"_t, 0), 0);
    EXPECT_EQ(charCode("abc"_t, 4), 0);
    EXPECT_EQ(charCode(Text::fromBytes(std::string("\xFF", 1))), -1);
}

TEST(TextCommands, ToTextWritesNumbersWithoutPadding)
{
    EXPECT_EQ(toText(Value(7)), "7"_t);
    EXPECT_EQ(toText(Value(-5)), "-5"_t);
    EXPECT_EQ(toText(Value(0)), "0"_t);
    EXPECT_EQ(toText(Value(std::numeric_limits<std::int32_t>::min())), "-2147483648"_t);
    EXPECT_EQ(toText(Value(60.0)), "60"_t);
    EXPECT_EQ(toText(Value(16.0)), "16"_t);
    EXPECT_EQ(toText(Value(0.5)), "0.5"_t);
    EXPECT_EQ(toText(Value(1e20)), "1e+20"_t);
    EXPECT_EQ(toText(Value(1.0 / 3.0)), "0.3333333333333"_t);
    EXPECT_EQ(toText(Value(1234567890123.0)), "1234567890123"_t);
    EXPECT_EQ(toText(Value(12345678901234.0)), "1.234567890123e+13"_t);
}

TEST(TextCommands, ToTextOfOtherValues)
{
    EXPECT_EQ(toText(Value(true)), "真"_t);
    EXPECT_EQ(toText(Value(false)), "假"_t);
    EXPECT_EQ(toText(Value("备注"_t)), "备注"_t);
    EXPECT_EQ(toText(Value(Bytes{std::string("ab\0cd", 5)})), "ab"_t);
    EXPECT_EQ(toText(Value()), Text());
}

TEST(TextCommands, ToIntegerTruncatesAndReadsFullWidthDigits)
{
    EXPECT_EQ(toInteger(Value(2.9)), 2);
    EXPECT_EQ(toInteger(Value(-2.9)), -2);
    EXPECT_EQ(toInteger(Value(42)), 42);
    EXPECT_EQ(toInteger(Value("１２３"_t)), 123);
    EXPECT_EQ(toInteger(Value("－４５"_t)), -45);
    EXPECT_EQ(toInteger(Value("　７"_t)), 7);
    EXPECT_EQ(toInteger(Value(" -12abc"_t)), -12);
    EXPECT_EQ(toInteger(Value("+8"_t)), 8);
    EXPECT_EQ(toInteger(Value("abc"_t)), 0);
    EXPECT_EQ(toInteger(Value(Text())), 0);
    EXPECT_EQ(toInteger(Value("99999999999"_t)), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toInteger(Value("-99999999999"_t)), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInteger(Value(true)), 0);
}
