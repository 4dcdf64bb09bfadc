#pragma once

// The modal commands: the message box and the open-file dialog. Both wait
// in a nested event loop, so timer ticks and clicks of windows they do not
// block keep reaching their handlers while the user decides.

#include "host/runtime/layout.h"
#include "host/values/text.h"
#include "host/values/value.h"

#include <cstdint>
#include <optional>

namespace host {

/// Button sets of messageBox (the low four bits of its flags).
namespace boxButtons {
inline constexpr std::int32_t ok = 0;
inline constexpr std::int32_t okCancel = 1;
inline constexpr std::int32_t abortRetryIgnore = 2;
inline constexpr std::int32_t yesNoCancel = 3;
inline constexpr std::int32_t yesNo = 4;
inline constexpr std::int32_t retryCancel = 5;
} // namespace boxButtons

/// Icons of messageBox (bits 4-7 of its flags).
namespace boxIcon {
inline constexpr std::int32_t error = 0x10;
inline constexpr std::int32_t question = 0x20;
inline constexpr std::int32_t warning = 0x30;
inline constexpr std::int32_t information = 0x40;
} // namespace boxIcon

/// Further messageBox flags: the default button (second or third instead of
/// the first) and a box kept above every other window.
namespace boxFlag {
inline constexpr std::int32_t secondIsDefault = 0x100;
inline constexpr std::int32_t thirdIsDefault = 0x200;
inline constexpr std::int32_t systemModal = 0x1000;
} // namespace boxFlag

/// The answers of messageBox.
namespace boxAnswer {
inline constexpr std::int32_t ok = 0;
inline constexpr std::int32_t cancel = 1;
inline constexpr std::int32_t abort = 2;
inline constexpr std::int32_t retry = 3;
inline constexpr std::int32_t ignore = 4;
inline constexpr std::int32_t yes = 5;
inline constexpr std::int32_t no = 6;
} // namespace boxAnswer

/// Shows `message` (converted as toText) in a modal box with the buttons,
/// icon and default button of `flags`, titled `title` or "信息：" when it is
/// absent, and returns the answer (boxAnswer). Escape and the close box
/// answer as Cancel where there is a Cancel button, as OK in an OK-only box,
/// and do nothing otherwise.
std::int32_t messageBox(const Value& message, std::int32_t flags, const std::optional<Text>& title = {});

/// Shows the file dialog of a common dialog unit, set up from its current
/// properties and its layout's options. On OK the full path is stored in
/// its fileName, the current directory becomes that file's folder, and the
/// result is true; on Cancel nothing changes and the result is false.
bool openDialog(UnitRef dialog);

} // namespace host
