#pragma once

// The player component: plays lists of MP3 files on threads of its own.
// Reached through its module record (playerModule()) and six entry points,
// looked up by name:
//
//   "CreatePlayer"   PlayerHandle (const char* fileList, int playCount)
//   "NewPlay"        int (PlayerHandle, const NotificationTarget*, const char* text, int start)
//   "Play"           int (PlayerHandle)
//   "GetPlayState"   int (PlayerHandle)
//   "SetPauseState"  int (PlayerHandle, int pause)
//   "RemovePlayer"   int (PlayerHandle)
//
// A file list is NUL-terminated paths (host texts: GB18030 bytes) laid end to
// end and closed by an empty one. A play count of N > 0 plays the list N
// times, 0 (or below) repeats it until the player is removed.
//
// Every entry point but "CreatePlayer" does nothing and returns 0 for a null
// handle. None of them blocks on a file or the sound device: opening, decoding
// and output happen on the player's threads, and a file that cannot be
// opened or decoded, or a missing sound device, only ends in silence.
// "RemovePlayer" waits for the player's threads, which takes at most about
// one write to the device. Call them from one thread (the UI thread).

#include "host/sound/modulerecord.h"

#include <cstdint>

namespace host::sound {

class Player;

/// A player as the entry points know it; null means none.
using PlayerHandle = Player*;

/// The message posted after each file ends, with first parameter 100 and second 0.
constexpr std::uint32_t fileEndMessage = 0x8075;

/// Where a player reports the end of each file: post is called with
/// fileEndMessage, 100 and 0. It runs on the player's worker thread; if the
/// receiver may be gone by then, post must check that itself.
struct NotificationTarget
{
    void (*post)(void* context, std::uint32_t message, std::intptr_t first, std::intptr_t second) = nullptr;
    void* context = nullptr;
};

/// Makes a player for fileList played playCount times; nothing plays yet. Null on failure.
using CreatePlayerFunction = PlayerHandle (*)(const char* fileList, int playCount);
/// Starts the current path from its beginning; text (under 512 bytes) is kept for the passes
/// that follow, start is not used.
using NewPlayFunction = int (*)(PlayerHandle, const NotificationTarget* target, const char* text, int start);
/// NewPlay with no target, no text and 0.
using PlayFunction = int (*)(PlayerHandle);
/// 1 playing, -1 paused, 0 otherwise.
using GetPlayStateFunction = int (*)(PlayerHandle);
/// Non-zero pauses a playing player, zero resumes a paused one; 1 when the state changed.
using SetPauseStateFunction = int (*)(PlayerHandle, int pause);
/// Stops the sound, ends the player's threads and frees it.
using RemovePlayerFunction = int (*)(PlayerHandle);

/// The component's module record (initialise, resolve-by-name, finalise).
const ModuleRecord& playerModule();

} // namespace host::sound
