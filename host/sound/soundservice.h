#pragma once

// The sound requests of the alarm logic.
//
// playFiles() replaces the program's one current player with a new one for
// the given paths and returns at once: files are opened, decoded and played
// on the player's own threads, so the UI thread never waits for a file or the
// sound device, and sound goes on while the UI thread is blocked.
// stopAllSound() removes the current player. A path that is missing, is not
// a regular file, holds no playable MP3 audio, or a machine without a sound
// device, all end the same way: silence, with nothing reported.
//
// Call them from the UI thread only.

#include "host/values/text.h"
#include "host/values/value.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace host {

/// One path argument of playFiles(): a text, or an array of texts taken in order.
using PathArgument = std::variant<Text, std::vector<Text>>;

/// Stops the current sound, then plays the paths (empty ones skipped) in order,
/// the whole list playCount times: omitted 1, 0 stop only, negative endless.
void playFiles(std::optional<std::int32_t> playCount, const std::vector<PathArgument>& paths);
/// playFiles() with the play count omitted: the list plays once.
void playFiles(const std::vector<PathArgument>& paths);
/// Stops whatever is playing; waits at most about one write to the device.
void stopAllSound();
} // namespace host
