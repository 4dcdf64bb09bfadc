#include "resources/builtinsound.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

namespace resources::embedded {
// Generated at build time from resources/alarm.mp3.
extern const char alarmSound[];
extern const std::size_t alarmSoundSize;
} // namespace resources::embedded

namespace resources {

host::Bytes builtInSound()
{
    return host::Bytes{std::string(builtInSoundBytes())};
}

std::string_view builtInSoundBytes()
{
    return {embedded::alarmSound, embedded::alarmSoundSize};
}

void releaseBuiltInSound()
{
    // The sound is read-only data mapped from the program file, so the pages
    // wholly inside it can be dropped: reading them again faults them back in
    // from the file. The pages at its two ends hold other data and stay.
    const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(embedded::alarmSound);
    const std::uintptr_t first = (start + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t end = (start + embedded::alarmSoundSize) / pageSize * pageSize;
    if (end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

} // namespace resources
