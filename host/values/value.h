#pragma once

#include "host/values/text.h"

#include <cstdint>
#include <string>
#include <variant>

namespace host {

/// A point in local time: days since 1899-12-30 00:00, the fraction being the time of day.
struct DateTime
{
    double days = 0.0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

/// A byte array value (the built-in sound, cursor data).
struct Bytes
{
    std::string data;
    friend bool operator==(const Bytes&, const Bytes&) = default;
};

/// The marker of an argument the caller left out.
struct Absent
{
    friend bool operator==(const Absent&, const Absent&) = default;
};

/// Every argument and result the host passes: absent, int, double, bool,
/// date-time, text or byte array.
class Value final
{
public:
    Value() = default;
    Value(Absent) {}
    Value(std::int32_t number) : m_data(number) {}
    Value(double number) : m_data(number) {}
    Value(bool flag) : m_data(flag) {}
    Value(DateTime moment) : m_data(moment) {}
    Value(Text text) : m_data(std::move(text)) {}
    Value(const FixedText& text) : m_data(text.text()) {}
    Value(Bytes bytes) : m_data(std::move(bytes)) {}
    Value(const char*) = delete; // literals must become a Text first

    bool isAbsent() const { return std::holds_alternative<Absent>(m_data); }
    bool isInt() const { return std::holds_alternative<std::int32_t>(m_data); }
    bool isDouble() const { return std::holds_alternative<double>(m_data); }
    bool isBool() const { return std::holds_alternative<bool>(m_data); }
    bool isDateTime() const { return std::holds_alternative<DateTime>(m_data); }
    bool isText() const { return std::holds_alternative<Text>(m_data); }
    bool isBytes() const { return std::holds_alternative<Bytes>(m_data); }

    /// The int, a double truncated toward zero, a bool as 0 or 1; anything else 0.
    std::int32_t toInt() const;
    /// Non-zero numbers and true read as true; anything else false.
    bool toBool() const;
    /// The text, or the empty text for any other kind of value.
    Text toText() const;
    double toDouble() const;
    DateTime toDateTime() const;
    const Bytes& toBytes() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<Absent, std::int32_t, double, bool, DateTime, Text, Bytes> m_data;
};

} // namespace host
