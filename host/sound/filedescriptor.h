#pragma once

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

private:
    int m_descriptor = -1;
};

} // namespace host::sound
