#include "host/sound/audiooutput.h"

#include "host/sound/out123output.h"

#include <mutex>

namespace host::sound {
namespace {

std::mutex factoryMutex;
AudioOutputFactory currentFactory;

} // namespace

void setAudioOutputFactory(AudioOutputFactory factory)
{
    const std::lock_guard lock(factoryMutex);
    currentFactory = std::move(factory);
}

std::unique_ptr<AudioOutput> createAudioOutput()
{
    AudioOutputFactory factory;
    {
        const std::lock_guard lock(factoryMutex);
        factory = currentFactory;
    }
    if (factory)
        return factory();
    return std::make_unique<Out123Output>();
}

} // namespace host::sound
