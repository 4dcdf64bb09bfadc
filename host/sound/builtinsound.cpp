#include "host/sound/builtinsound.h"

#include <cstddef>

namespace host::sound::embedded {
// Generated at build time from resources/alarm.mp3.
extern const char alarmSound[];
extern const std::size_t alarmSoundSize;
} // namespace host::sound::embedded

namespace host {

Bytes builtInSound()
{
    return Bytes {std::string(sound::embedded::alarmSound, sound::embedded::alarmSoundSize)};
}

} // namespace host
