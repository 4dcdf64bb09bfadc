#include "host/sound/soundfile.h"

#include "host/sound/soundlog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace host::sound {
namespace {

constexpr std::int64_t id3v2HeaderSize = 10;
constexpr std::int64_t id3v1BlockSize = 128;
constexpr unsigned char extendedHeaderFlag = 0x40;

int failureCode(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return SoundFile::NotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return SoundFile::AccessDenied;
    case EINVAL:
    case ENAMETOOLONG:
    case ELOOP:
        return SoundFile::InvalidArgument;
    case EMFILE:
    case ENFILE:
        return SoundFile::TooManyOpenFiles;
    default:
        return SoundFile::OtherFailure;
    }
}

// Anything but a regular file is refused before it is opened: a FIFO would
// wait for a writer, a device may never end (/dev/zero) or act on open.
int refusalCode(mode_t mode)
{
    return S_ISDIR(mode) ? SoundFile::AccessDenied : SoundFile::InvalidArgument;
}

// An ID3v2 size: four bytes of seven bits each, most significant first.
// Returns -1 when a byte has its high bit set (then it is no tag header).
std::int64_t synchsafe(const unsigned char* bytes)
{
    std::int64_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (bytes[i] & 0x80)
            return -1;
        value = (value << 7) | bytes[i];
    }
    return value;
}

std::int64_t bigEndian32(const unsigned char* bytes)
{
    return (std::int64_t(bytes[0]) << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
}

} // namespace

int SoundFile::open(const std::string& fileSystemPath)
{
    m_file.close();
    m_begin = m_end = m_position = 0;

    struct stat status {};
    if (::stat(fileSystemPath.c_str(), &status) != 0)
        return failureCode(errno);
    if (!S_ISREG(status.st_mode))
        return refusalCode(status.st_mode);

    FileDescriptor file(::open(fileSystemPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen())
        return failureCode(errno);
    // The path may have been replaced between stat() and open().
    if (::fstat(file.get(), &status) != 0)
        return failureCode(errno);
    if (!S_ISREG(status.st_mode))
        return refusalCode(status.st_mode);

    m_file = std::move(file);
    findAudio(status.st_size);
    qCDebug(lcPlayer) << "opened" << fileSystemPath.c_str() << "audio bytes" << m_begin << "to" << m_end;
    return Opened;
}

void SoundFile::findAudio(std::int64_t fileSize)
{
    m_begin = 0;
    m_end = fileSize;

    unsigned char header[id3v2HeaderSize];
    if (fileSize >= id3v2HeaderSize && readAt(0, header, sizeof header)
        && std::memcmp(header, "ID3", 3) == 0 && header[3] == 3) {
        const std::int64_t size = synchsafe(header + 6);
        bool valid = size >= 0;
        // The tag size counts the extended header; one that claims more room
        // than the tag has marks a damaged tag, which is left to the decoder.
        if (valid && (header[5] & extendedHeaderFlag)) {
            unsigned char extended[4];
            valid = size >= 4 && readAt(id3v2HeaderSize, extended, sizeof extended)
                    && bigEndian32(extended) + 4 <= size;
        }
        if (valid)
            m_begin = std::min(fileSize, id3v2HeaderSize + size);
    }

    unsigned char trailer[3];
    if (m_end - m_begin >= id3v1BlockSize && readAt(m_end - id3v1BlockSize, trailer, sizeof trailer)
        && std::memcmp(trailer, "TAG", 3) == 0)
        m_end -= id3v1BlockSize;

    m_position = m_begin;
}

bool SoundFile::readAt(std::int64_t offset, unsigned char* buffer, std::size_t size) const
{
    return m_file.readFullyAt(buffer, size, offset);
}

std::ptrdiff_t SoundFile::read(char* buffer, std::size_t capacity)
{
    if (!m_file.isOpen())
        return -1;
    const std::int64_t wanted = std::min<std::int64_t>(static_cast<std::int64_t>(capacity), m_end - m_position);
    if (wanted <= 0)
        return 0;
    const std::ptrdiff_t count = m_file.readAt(buffer, static_cast<std::size_t>(wanted), m_position);
    if (count < 0)
        return -1;
    // A file cut short while it plays simply ends early.
    if (count == 0)
        m_end = m_position;
    m_position += count;
    return count;
}

} // namespace host::sound
