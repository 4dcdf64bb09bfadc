#pragma once

// What the fuzz targets share: the fuzzer's input as a regular file the reader
// can open by path, without touching the disk (a memfd, reached through
// /proc/self/fd), the check that turns a broken promise into a finding, and
// the fuzzer's entry point.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

/// A finding: the fuzzer keeps the input that got here.
inline void require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace fuzz

// Each fuzzer is built from one target function; the replay tool links both
// and calls them by name.
#ifdef TIKORA_FUZZ_REPLAY
#define TIKORA_FUZZ_TARGET(function)
#else
#define TIKORA_FUZZ_TARGET(function)                                                     \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)   \
    {                                                                                    \
        return fuzz::function(data, size);                                               \
    }
#endif
