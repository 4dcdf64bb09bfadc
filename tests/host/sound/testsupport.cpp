#include "testsupport.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace soundtest {

StandardErrorCapture::StandardErrorCapture()
{
    std::fflush(stderr);
    m_saved = ::dup(STDERR_FILENO);
    const int file = ::open(m_folder.file("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ::dup2(file, STDERR_FILENO);
    ::close(file);
}

StandardErrorCapture::~StandardErrorCapture()
{
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
}

std::string StandardErrorCapture::text() const
{
    std::fflush(stderr);
    return testsupport::readFile(m_folder.file("stderr"));
}

long peakMemoryKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int threadCount()
{
    // ThreadSanitizer starts a helper thread of its own with the process's
    // first thread; let that happen before anything is counted.
    static const bool helperStarted = [] {
        std::thread([] {}).join();
        return true;
    }();
    (void)helperStarted;
    int count = 0;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator("/proc/self/task", error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
        ++count;
    return count;
}

bool threadsSettleAt(int count, std::chrono::milliseconds timeout)
{
    return testsupport::waitUntil([count] { return threadCount() <= count; }, timeout);
}

double millisecondsFor(const std::function<void()>& call)
{
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double processCpuMilliseconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto milliseconds = [](const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; };
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

long long bytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:")
            return value;
    }
    return -1;
}

} // namespace soundtest
