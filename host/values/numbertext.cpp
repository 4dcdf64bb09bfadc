#include "host/values/numbertext.h"

#include <limits>

namespace host {

std::optional<std::int32_t> leadingInteger(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    const std::size_t digits = at;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), limit);
    if (at == digits)
        return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

} // namespace host
