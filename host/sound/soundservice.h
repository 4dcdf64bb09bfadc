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
// writeBytesToFile() and removeFile() put the built-in sound on disk and take
// it away; they report failure by returning false. removeWrittenFile() takes
// away only the file a write put there.
//
// Call them from the UI thread only (removeWrittenFile() from anywhere).

#include "host/text.h"
#include "host/value.h"

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
/// A file as lstat() tells it apart from the others that exist: its device
/// and inode. The value-initialised identity is no file's.
struct FileIdentity
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

/// Puts a file holding the arrays' bytes, in order, at path: written under a
/// new name in the same folder, then renamed over path, so a link at path is
/// replaced rather than written through and no half-written file is ever
/// seen there. The file gets the mode any new file gets (0666 less the
/// umask). False for an empty path, a path that names a folder, FIFO or
/// device, or any failure to write or rename (path then stays as it was).
bool writeBytesToFile(const Text& path, const std::vector<Bytes>& arrays);
/// The same for bytes the caller holds elsewhere, written without a copy;
/// on success `written`, when given, identifies the file now at path.
bool writeBytesToFile(const Text& path, std::string_view bytes, FileIdentity* written = nullptr);
/// Deletes the file at path; false when it could not be deleted.
bool removeFile(const Text& path);
/// Deletes the file at fileSystemPath (in the file system's encoding) only
/// while it is still the regular file `written` identifies, looked at without
/// following a link; whatever else stands there stays. Calls nothing but
/// lstat and unlink, so a signal handler may call it, from any thread.
bool removeWrittenFile(const char* fileSystemPath, const FileIdentity& written) noexcept;

} // namespace host
