#include "host/values/value.h"

#include <cmath>
#include <limits>

namespace host {

std::int32_t Value::toInt() const
{
    if (auto number = std::get_if<std::int32_t>(&m_data))
        return *number;
    if (auto number = std::get_if<double>(&m_data)) {
        if (!std::isfinite(*number))
            return 0;
        const double truncated = std::trunc(*number);
        if (truncated >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
            return std::numeric_limits<std::int32_t>::max();
        if (truncated <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
            return std::numeric_limits<std::int32_t>::min();
        return static_cast<std::int32_t>(truncated);
    }
    if (auto flag = std::get_if<bool>(&m_data))
        return *flag ? 1 : 0;
    return 0;
}

bool Value::toBool() const
{
    if (auto flag = std::get_if<bool>(&m_data))
        return *flag;
    if (auto number = std::get_if<std::int32_t>(&m_data))
        return *number != 0;
    if (auto number = std::get_if<double>(&m_data))
        return *number != 0.0;
    return false;
}

Text Value::toText() const
{
    if (auto text = std::get_if<Text>(&m_data))
        return *text;
    return {};
}

double Value::toDouble() const
{
    if (auto number = std::get_if<double>(&m_data))
        return *number;
    if (auto number = std::get_if<std::int32_t>(&m_data))
        return *number;
    if (auto flag = std::get_if<bool>(&m_data))
        return *flag ? 1.0 : 0.0;
    if (auto moment = std::get_if<DateTime>(&m_data))
        return moment->days;
    return 0.0;
}

DateTime Value::toDateTime() const
{
    if (auto moment = std::get_if<DateTime>(&m_data))
        return *moment;
    return DateTime{toDouble()};
}

const Bytes& Value::toBytes() const
{
    static const Bytes empty;
    if (auto bytes = std::get_if<Bytes>(&m_data))
        return *bytes;
    return empty;
}

} // namespace host
