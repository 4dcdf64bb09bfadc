#pragma once

// Writing and removing files: the program's default sound is the one file
// it writes. A write replaces the file at its path (written under a new
// name, then renamed over it), never writes through a link, and reports
// failure by returning false. Call them from the UI thread only
// (removeWrittenFile() from anywhere, a signal handler included).

#include "host/values/text.h"
#include "host/values/value.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace host {

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
