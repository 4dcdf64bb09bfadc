#pragma once

// The default sound file: the built-in alarm sound put on disk, so that an
// alarm whose music is "无" plays it like any other file.
//
// Its home is "misc.mp3" in the program's folder. That folder may be
// read-only (an installed program) and the file may be deleted while the
// program runs, so the file is written again before each use and, where the
// program's folder cannot take it, a copy goes to a folder of the user's
// own: an alarm never rings silently for want of this file.

#include "host/values/text.h"

namespace DefaultSound {

/// "misc.mp3" in the program's folder.
host::Text homeFile();
/// Writes the built-in sound and returns the file that now holds it: the
/// home file, or the per-user copy when the home file cannot be written.
/// Empty only when neither can.
host::Text write();
/// Removes the home file and the per-user copy, each only while it is still
/// the file write() last put there: a FIFO, a folder or another's file found
/// at that name stays.
void remove();
/// From now on, when the program is ended from outside (SIGTERM: a logout or
/// `kill`; SIGINT: Ctrl+C in its terminal; SIGHUP: its terminal closed), the
/// two files are removed as remove() does, and the program then ends as that
/// signal ends it; a signal that comes while write() writes waits until the
/// file is in place. A signal the program was started ignoring stays ignored.
/// Call once, from the user-interface thread, after entering the program's
/// folder; write() must then be called from that thread only.
void removeOnTermination();

} // namespace DefaultSound
