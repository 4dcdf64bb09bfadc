#pragma once

// The fuzzer's input as a regular file the reader can open by path, without
// touching the disk: a memfd, reached through /proc/self/fd.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

class MemoryFile final
{
public:
    MemoryFile(const std::uint8_t* data, std::size_t size)
        : m_fd(memfd_create("input.mp3", MFD_CLOEXEC))
    {
        for (std::size_t done = 0; done < size;) {
            const ssize_t count = ::write(m_fd, data + done, size - done);
            if (count <= 0)
                break;
            done += static_cast<std::size_t>(count);
        }
    }
    ~MemoryFile() { ::close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd;
};

} // namespace fuzz
