#include "host/values/codec_p.h"
#include "host/values/text.h"
#include "host/values/value.h"

#include <QString>
#include <gtest/gtest.h>

using namespace host;

TEST(Text, ChineseIsStoredAsTwoBytesPerCharacter)
{
    const Text text = "开启"_t;
    EXPECT_EQ(text.length(), 4);
    EXPECT_EQ(text.bytes(), "\xBF\xAA\xC6\xF4");
    EXPECT_EQ(text.toUtf8(), "开启");
}

TEST(Text, CharactersOutsideGbkSurviveTheRoundTrip)
{
    // An emoji and a Hangul syllable: GBK has neither, GB18030 has both.
    const std::string utf8 = "备注 \xF0\x9F\x98\x80 \xED\x95\x9C";
    const Text text = Text::fromUtf8(utf8);
    EXPECT_EQ(text.toUtf8(), utf8);
    EXPECT_EQ(codec::toQString(text), QString::fromUtf8(utf8.c_str()));
    EXPECT_EQ(codec::fromQString(codec::toQString(text)), text);
}

TEST(Text, InvalidBytesBecomeReplacementCharacters)
{
    // A lone lead byte at the end is not a character; it must not vanish silently
    // nor stop the conversion of what came before.
    const Text text = Text::fromBytes("ab\x81");
    EXPECT_EQ(text.toUtf8(), "ab\xEF\xBF\xBD");
}

TEST(Text, ComparisonIsBytewise)
{
    EXPECT_EQ("开启"_t, "开启"_t);
    EXPECT_NE("开启"_t, "关闭"_t);
    EXPECT_EQ(Text(), ""_t);
    EXPECT_EQ(("7"_t + ":"_t + "5"_t).bytes(), "7:5");
}

TEST(Value, ConversionsBetweenKinds)
{
    EXPECT_EQ(Value(2.9).toInt(), 2);
    EXPECT_EQ(Value(-2.9).toInt(), -2);
    EXPECT_EQ(Value(1e300).toInt(), 2147483647);
    EXPECT_TRUE(Value(7).toBool());
    EXPECT_FALSE(Value(0).toBool());
    EXPECT_FALSE(Value().toBool());
    EXPECT_TRUE(Value().isAbsent());
    EXPECT_EQ(Value(5).toText(), Text());
    EXPECT_EQ(Value("x"_t).toText(), "x"_t);
}
