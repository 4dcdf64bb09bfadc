#pragma once

// Where the program runs: its own folder, which is also its working
// directory, and the size of the primary screen.

#include "host/values/text.h"

#include <cstdint>
#include <string>

namespace host {

/// The folder that holds the program file, without a trailing "/"; the
/// empty text for a program in "/", so that folder + "/" + name is a path.
Text runDirectory();

/// Makes the run directory the current directory; the program's main calls
/// it at start. False when the folder cannot be entered.
bool enterRunDirectory();

/// Width of the primary screen in pixels (0 without a screen).
std::int32_t screenWidth();
/// Height of the primary screen in pixels (0 without a screen).
std::int32_t screenHeight();

namespace detail {

/// The run directory of a program file given by its absolute path.
Text folderOfProgram(const std::string& programFile);

} // namespace detail

} // namespace host
