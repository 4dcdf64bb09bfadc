#include "host/sound/filedescriptor.h"

#include <unistd.h>

#include <cerrno>

#include <utility>

namespace host::sound {

FileDescriptor::~FileDescriptor()
{
    close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
{
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        close();
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

bool FileDescriptor::close()
{
    if (m_descriptor < 0)
        return true;
    // Linux releases the descriptor even when close() fails, so it is never retried.
    const int result = ::close(std::exchange(m_descriptor, -1));
    return result == 0;
}

std::ptrdiff_t FileDescriptor::readAt(void* buffer, std::size_t size, std::int64_t offset) const
{
    ssize_t count;
    do
        count = ::pread(m_descriptor, buffer, size, offset);
    while (count < 0 && errno == EINTR);
    return count;
}

bool FileDescriptor::readFullyAt(void* buffer, std::size_t size, std::int64_t offset) const
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (std::size_t done = 0; done < size;) {
        const std::ptrdiff_t count = readAt(bytes + done, size - done, offset + static_cast<std::int64_t>(done));
        if (count <= 0)
            return false;
        done += static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace host::sound
