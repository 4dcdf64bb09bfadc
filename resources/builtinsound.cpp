#include "resources/builtinsound.h"

#include "host/embedded/mappedpages.h"

#include <cstddef>

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
    host::releaseMappedPages(embedded::alarmSound, embedded::alarmSoundSize);
}

} // namespace resources
