#pragma once

// A folder of the test's own under /tmp, removed with everything in it when
// the object goes, and reading a file back.

#include <string>

namespace testsupport {

class TemporaryFolder final
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    /// The folder's path; empty when it could not be made.
    const std::string& path() const { return m_path; }
    /// path()/name, not created.
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    /// path()/name, written with bytes.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
};

/// The file's bytes (empty when it cannot be read).
std::string readFile(const std::string& path);

} // namespace testsupport
