#include "processusage.h"

#include <malloc.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int entries(const char* folder)
{
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

// Qt names its thread-pool workers so.
int pooledThreads()
{
    int pooled = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        pooled += name == "Thread (pooled)" ? 1 : 0;
    }
    return pooled;
}

} // namespace

ProcessUsage processUsage()
{
    const struct mallinfo2 heap = mallinfo2();
    long pages = 0;
    long residentPages = 0;
    std::ifstream("/proc/self/statm") >> pages >> residentPages;
    return {.heapBytes = static_cast<long long>(heap.uordblks + heap.hblkhd),
            .residentKilobytes = residentPages * (sysconf(_SC_PAGESIZE) / 1024),
            .threads = entries("/proc/self/task"),
            .pooledThreads = pooledThreads(),
            .descriptors = entries("/proc/self/fd")};
}
