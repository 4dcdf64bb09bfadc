// Runs the given files (or every file in the given folders) through both
// fuzz targets once: the kept crashing inputs as a regression check, and a
// way to debug one input without the fuzzer.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fuzz {
int readAndDecode(const std::uint8_t* data, std::size_t size);
int playThroughPipeline(const std::uint8_t* data, std::size_t size);
} // namespace fuzz

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                files.push_back(entry.path());
        } else {
            files.emplace_back(argv[i]);
        }
    }
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        fuzz::readAndDecode(data, bytes.size());
        fuzz::playThroughPipeline(data, bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return 0;
}
