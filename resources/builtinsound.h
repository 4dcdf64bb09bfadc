#pragma once

#include "host/values/value.h"

#include <string_view>

namespace resources {

/// The program's built-in alarm sound: a complete MP3 file (MPEG-1 Layer III,
/// 44.1 kHz, stereo, about 30 seconds). Any thread may call; each call
/// returns a fresh copy.
host::Bytes builtInSound();
/// The same bytes where the program file holds them, without a copy.
std::string_view builtInSoundBytes();
/// Gives the memory that holds the built-in sound back to the system. The
/// bytes stay readable: the system reads them again from the program file
/// when they are next used.
void releaseBuiltInSound();

} // namespace resources
