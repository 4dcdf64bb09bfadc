#include "host/sound/filedescriptor.h"

#include <unistd.h>

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

} // namespace host::sound
