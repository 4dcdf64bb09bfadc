#pragma once

// Text and number conversions of the host commands. Texts are GB18030 byte
// strings: positions are 1-based byte positions and lengths count bytes, so
// a Chinese character counts 2 and may be cut in two by midText.

#include "host/values/text.h"
#include "host/values/value.h"

#include <cstdint>

namespace host {

/// Number of bytes of the text; the empty text has 0.
std::int32_t textLength(const Text& text);

/// The bytes from `start` (1-based) to start + count - 1, cut at the end of
/// the text; empty when start < 1, start > length or count <= 0.
Text midText(const Text& text, std::int32_t start, std::int32_t count);

/// The byte at `position` (1-based) as a signed 8-bit value, so a GBK lead
/// byte is negative; 0 when the position is below 1 or beyond the end.
std::int32_t charCode(const Text& text, std::int32_t position = 1);

/// An int unchanged, a double truncated toward zero, a text read as a decimal
/// integer after full-width characters are made half-width (non-numeric
/// text gives 0); any other value 0.
std::int32_t toInteger(const Value& value);

/// An int in decimal, a double as "%.13g", a text copied, a bool as 真/假,
/// a byte array up to its first NUL, a date-time as "yyyy-MM-dd HH:mm:ss";
/// the absent value gives the empty text.
Text toText(const Value& value);

} // namespace host
