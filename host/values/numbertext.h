#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace host {

/// Reads a decimal integer at the start of a text as atoi does: leading white
/// space, an optional sign, then as many digits as follow; values beyond the
/// int range saturate. Empty when no digit follows the sign.
std::optional<std::int32_t> leadingInteger(std::string_view text);

} // namespace host
