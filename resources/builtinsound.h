#pragma once

#include "host/value.h"

namespace resources {

/// The program's built-in alarm sound: a complete MP3 file (MPEG-1 Layer III,
/// 44.1 kHz, stereo, about 30 seconds). Any thread may call; each call
/// returns a fresh copy.
host::Bytes builtInSound();

} // namespace resources
