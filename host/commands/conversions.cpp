#include "host/commands/conversions.h"

#include "host/values/codec_p.h"
#include "host/commands/clock_p.h"
#include "host/values/numbertext.h"

#include <QDateTime>
#include <QString>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace host {
namespace {

// Full-width ASCII variants (U+FF01..U+FF5E) and the ideographic space become
// their half-width forms, so "１２３" and "－５" read as numbers.
std::string toHalfWidthAscii(const Text& text)
{
    QString string = codec::toQString(text);
    for (QChar& character : string) {
        const char16_t code = character.unicode();
        if (code >= 0xFF01 && code <= 0xFF5E)
            character = QChar(char16_t(code - 0xFF01 + 0x21));
        else if (code == 0x3000)
            character = QChar(u' ');
    }
    return string.toStdString();
}

// "%.13g" without the process locale: Qt sets LC_NUMERIC from the
// environment, and the program must never write "0,5".
std::string formatDouble(double number)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 13);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}

} // namespace

std::int32_t textLength(const Text& text)
{
    return text.length();
}

Text midText(const Text& text, std::int32_t start, std::int32_t count)
{
    if (start < 1 || start > text.length() || count <= 0)
        return {};
    return Text::fromBytes(text.bytes().substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

std::int32_t charCode(const Text& text, std::int32_t position)
{
    if (position < 1 || position > text.length())
        return 0;
    return static_cast<std::int8_t>(text.bytes()[static_cast<std::size_t>(position - 1)]);
}

std::int32_t toInteger(const Value& value)
{
    if (value.isInt() || value.isDouble())
        return value.toInt();
    if (value.isText())
        return leadingInteger(toHalfWidthAscii(value.toText())).value_or(0);
    return 0;
}

Text toText(const Value& value)
{
    if (value.isInt())
        return Text::fromBytes(std::to_string(value.toInt()));
    if (value.isDouble())
        return Text::fromBytes(formatDouble(value.toDouble()));
    if (value.isText())
        return value.toText();
    if (value.isBool()) {
        static const Text yes = "真"_t;
        static const Text no = "假"_t;
        return value.toBool() ? yes : no;
    }
    if (value.isBytes()) {
        const std::string& data = value.toBytes().data;
        return Text::fromBytes(data.substr(0, data.find('\0')));
    }
    if (value.isDateTime())
        return codec::fromQString(toQDateTime(value.toDateTime()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return {};
}

} // namespace host
