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
    const struct
    {
        int start, length;
        const char* part;
    } cases[] = {{0, 2, ""}, {4, 1, ""}, {2, 5, "bc"}, {1, 0, ""}, {1, -1, ""}, {3, 1, "c"},
                 {1, std::numeric_limits<std::int32_t>::max(), "abc"}};
    for (const auto& test : cases)
        EXPECT_EQ(midText("abc"_t, test.start, test.length), Text::fromUtf8(test.part))
            << test.start << ", " << test.length;
    // Byte positions: a double-byte character can be cut in two.
    EXPECT_EQ(midText(twoChineseCharacters, 2, 2).bytes(), "\xB1\xBC");
}

TEST(TextCommands, CharCodeIsASignedByte)
{
    const std::tuple<Text, int, int> cases[] = {
        {twoChineseCharacters, 1, static_cast<std::int8_t>(0xCA)},
        {twoChineseCharacters, 4, static_cast<std::int8_t>(0xE4)},
        {"A"_t, 1, 65}, {Text(), 1, 0}, {"abc"_t, 0, 0}, {"abc"_t, 4, 0}, {Text::fromBytes("\xFF"), 1, -1},
    };
    for (const auto& [text, position, code] : cases)
        EXPECT_EQ(charCode(text, position), code) << text.toUtf8() << " at " << position;
}

// Numbers without padding, in up to 13 significant digits; truths in Chinese;
// bytes up to their first zero.
TEST(TextCommands, ToTextOfEachKind)
{
    const std::pair<Value, const char*> cases[] = {
        {Value(7), "7"}, {Value(-5), "-5"}, {Value(0), "0"},
        {Value(std::numeric_limits<std::int32_t>::min()), "-2147483648"}, {Value(60.0), "60"}, {Value(16.0), "16"},
        {Value(0.5), "0.5"}, {Value(1e20), "1e+20"}, {Value(1.0 / 3.0), "0.3333333333333"},
        {Value(1234567890123.0), "1234567890123"}, {Value(12345678901234.0), "1.234567890123e+13"},
        {Value(true), "真"}, {Value(false), "假"}, {Value("备注"_t), "备注"},
        {Value(Bytes{std::string("ab\0cd", 5)}), "ab"}, {Value(), ""},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(toText(value), Text::fromUtf8(text)) << text;
}

TEST(TextCommands, ToIntegerTruncatesAndReadsFullWidthDigits)
{
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const std::pair<Value, std::int32_t> cases[] = {
        {Value(2.9), 2}, {Value(-2.9), -2}, {Value(42), 42}, {Value("１２３"_t), 123}, {Value("－４５"_t), -45},
        {Value("　７"_t), 7}, {Value(" -12abc"_t), -12}, {Value("+8"_t), 8}, {Value("abc"_t), 0}, {Value(Text()), 0},
        {Value("99999999999"_t), max}, {Value("-99999999999"_t), min}, {Value(true), 0},
    };
    for (const auto& [value, number] : cases)
        EXPECT_EQ(toInteger(value), number) << toText(value).toUtf8();
}
