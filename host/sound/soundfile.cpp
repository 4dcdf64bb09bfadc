#include "host/sound/soundfile.h"

#include "host/sound/soundlog_p.h"

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
constexpr std::int64_t apeFooterSize = 32;
constexpr unsigned char footerFlag = 0x10;
// Tags looked for one after another at either end; more than this many is
// no file a tagger wrote, and the rest is left to the decoder's search.
constexpr int tagLimit = 16;

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

std::int64_t littleEndian32(const unsigned char* bytes)
{
    return (std::int64_t(bytes[3]) << 24) | (bytes[2] << 16) | (bytes[1] << 8) | bytes[0];
}

// The size of the tag body an ID3v2 header (or a version 4 footer, whose
// marker is "3DI") announces, or -1 when the bytes are no such header.
std::int64_t id3v2BodySize(const unsigned char* header, const char* marker)
{
    if (std::memcmp(header, marker, 3) != 0 || header[3] < 2 || header[3] > 4 || header[4] == 0xFF)
        return -1;
    return synchsafe(header + 6);
}

// The whole tag: header, body and, in version 4, the footer.
std::int64_t id3v2TagSize(const unsigned char* header, std::int64_t bodySize)
{
    const bool footer = header[3] == 4 && (header[5] & footerFlag);
    return id3v2HeaderSize + bodySize + (footer ? id3v2HeaderSize : 0);
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
    for (int tags = 0; tags < tagLimit; ++tags) {
        const std::int64_t size = leadingTagSize();
        if (size == 0)
            break;
        m_begin += size;
    }
    for (int tags = 0; tags < tagLimit; ++tags) {
        const std::int64_t size = trailingTagSize();
        if (size == 0)
            break;
        m_end -= size;
    }
    m_position = m_begin;
}

// Bytes of an ID3v2 tag of any version starting at m_begin, or 0. The size
// in the header says where the tag ends, whatever its extended header (2.3
// and 2.4 count that one differently) or its frames claim. A tag that would
// end past the end of the file is damaged and counts as its 10-byte header
// only: the audio is looked for after it.
std::int64_t SoundFile::leadingTagSize() const
{
    unsigned char header[id3v2HeaderSize];
    if (m_end - m_begin < id3v2HeaderSize || !readAt(m_begin, header, sizeof header))
        return 0;
    const std::int64_t body = id3v2BodySize(header, "ID3");
    if (body < 0)
        return 0;
    const std::int64_t size = id3v2TagSize(header, body);
    return size <= m_end - m_begin ? size : id3v2HeaderSize;
}

// Bytes of a tag ending at m_end: an ID3v1 block, an APEv2 tag (with its
// header when it has one) or an ID3v2.4 tag with a footer; 0 when none.
// A tag is only taken whole and only when it stays clear of m_begin.
std::int64_t SoundFile::trailingTagSize() const
{
    const std::int64_t room = m_end - m_begin;
    unsigned char trailer[apeFooterSize];
    if (room >= id3v1BlockSize && readAt(m_end - id3v1BlockSize, trailer, 3) && std::memcmp(trailer, "TAG", 3) == 0)
        return id3v1BlockSize;
    if (room >= apeFooterSize && readAt(m_end - apeFooterSize, trailer, apeFooterSize)
        && std::memcmp(trailer, "APETAGEX", 8) == 0) {
        const std::int64_t withHeader = (trailer[23] & 0x80) ? apeFooterSize : 0;
        const std::int64_t size = littleEndian32(trailer + 12) + withHeader;
        return size >= apeFooterSize && size <= room ? size : apeFooterSize;
    }
    if (room >= 2 * id3v2HeaderSize && readAt(m_end - id3v2HeaderSize, trailer, id3v2HeaderSize)) {
        const std::int64_t body = id3v2BodySize(trailer, "3DI");
        const std::int64_t size = body + 2 * id3v2HeaderSize;
        unsigned char header[id3v2HeaderSize];
        if (body >= 0 && size <= room && readAt(m_end - size, header, sizeof header)
            && std::memcmp(header, "ID3", 3) == 0)
            return size;
    }
    return 0;
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
