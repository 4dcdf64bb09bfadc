#pragma once

#include "host/value.h"

namespace host {

/// The built-in alarm sound: a complete MP3 file (MPEG-1 Layer III, 44.1 kHz,
/// stereo, about 30 seconds), embedded in the program. Any thread may call;
/// each call returns a fresh copy.
Bytes builtInSound();

} // namespace host
