#include "resources/builtinsound.h"

#include <cstddef>

namespace resources::embedded {
// Generated at build time from resources/alarm.mp3.
extern const char alarmSound[];
extern const std::size_t alarmSoundSize;
} // namespace resources::embedded

namespace resources {

host::Bytes builtInSound()
{
    return host::Bytes{std::string(embedded::alarmSound, embedded::alarmSoundSize)};
}

} // namespace resources
