#pragma once

#include "host/sound/filedescriptor.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace host::sound {

/// The reading end of the playback pipeline: opens one sound file and hands
/// out the bytes of its audio, that is the file without the tags music players
/// write around it: ID3v2 tags of versions 2.2 to 2.4 at the start (one or
/// several, however large their pictures), and ID3v1, APEv2 and footed ID3v2.4
/// tags at the end. Tag bytes never reach the decoder, so they never count
/// toward its search for sound.
///
/// Only regular files are opened. A FIFO, a device, a socket or a directory is
/// refused after a stat() and before any open(), so nothing here can wait for
/// a writer or wake a device; the open itself is non-blocking. Reads block only
/// as long as the file system takes.
///
/// Used by one thread at a time (the pipeline's own).
class SoundFile final
{
public:
    /// Result codes of open(); the failure codes stay inside the player.
    enum OpenResult : int {
        Opened = 0,
        OtherFailure = 1,
        AccessDenied = 9,
        InvalidArgument = 11,
        NotFound = 12,
        TooManyOpenFiles = 13,
    };

    /// Opens the file at fileSystemPath (already in the file system's encoding)
    /// and finds its audio bytes; returns Opened or one of the failure codes.
    int open(const std::string& fileSystemPath);

    /// Offset of the first audio byte (after the leading tags).
    std::int64_t audioBegin() const { return m_begin; }
    /// Offset one past the last audio byte (before the trailing tags).
    std::int64_t audioEnd() const { return m_end; }

    /// Copies the next audio bytes into buffer; returns how many (0 once all
    /// audio has been read) or -1 on a read error.
    std::ptrdiff_t read(char* buffer, std::size_t capacity);

private:
    void findAudio(std::int64_t fileSize);
    std::int64_t leadingTagSize() const;
    std::int64_t trailingTagSize() const;
    bool readAt(std::int64_t offset, unsigned char* buffer, std::size_t size) const;

    FileDescriptor m_file;
    std::int64_t m_begin = 0;
    std::int64_t m_end = 0;
    std::int64_t m_position = 0;
};

} // namespace host::sound
