#include "temporaryfolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace testsupport {

TemporaryFolder::TemporaryFolder()
{
    char pattern[] = "/tmp/tikora-test-XXXXXX";
    if (::mkdtemp(pattern))
        m_path = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

std::string TemporaryFolder::write(const std::string& name, const std::string& bytes) const
{
    const std::string path = file(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace testsupport
