#pragma once

#include <cstddef>
#include <cstdint>

namespace host::sound {

/// Owns one POSIX file descriptor and closes it when destroyed.
/// Any thread may use it; one owner at a time.
class FileDescriptor final
{
public:
    FileDescriptor() = default;
    /// Takes ownership of descriptor (-1 for none).
    explicit FileDescriptor(int descriptor) : m_descriptor(descriptor) {}
    ~FileDescriptor();

    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    /// The descriptor, or -1 when none is held.
    int get() const { return m_descriptor; }
    /// Whether a descriptor is held.
    bool isOpen() const { return m_descriptor >= 0; }
    /// Closes the descriptor now; false when close() reported an error.
    bool close();

    /// Reads up to `size` bytes at `offset` (one pread, repeated when a
    /// signal interrupts it): the count read, 0 at the end, -1 on error.
    std::ptrdiff_t readAt(void* buffer, std::size_t size, std::int64_t offset) const;
    /// Reads exactly `size` bytes at `offset`; false on error or an early end.
    bool readFullyAt(void* buffer, std::size_t size, std::int64_t offset) const;

private:
    int m_descriptor = -1;
};

} // namespace host::sound
