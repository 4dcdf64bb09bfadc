#include "core/defaultsound.h"

#include "host/commands.h"
#include "host/sound/soundservice.h"
#include "resources/builtinsound.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

using namespace host;

namespace DefaultSound {
namespace {

const Text& fileName()
{
    static const Text name = "/misc.mp3"_t;
    return name;
}

// A folder only this user writes in: the session's runtime folder, else the
// user's cache. Empty when the environment names neither.
Text userFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return Text::fromUtf8(runtime) + "/tikora"_t;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        return Text::fromUtf8(cache) + "/tikora"_t;
    if (const char* home = std::getenv("HOME"); home && *home)
        return Text::fromUtf8(home) + "/.cache/tikora"_t;
    return {};
}

Text userFile()
{
    const Text folder = userFolder();
    return folder.isEmpty() ? Text() : folder + fileName();
}

// Written straight from where the program holds the sound, whose pages are
// then given back: the program needs them only until the file is written.
bool writeBuiltInSound(const Text& path)
{
    const bool written = writeBytesToFile(path, resources::builtInSoundBytes());
    resources::releaseBuiltInSound();
    return written;
}

} // namespace

Text homeFile()
{
    return runDirectory() + fileName();
}

Text write()
{
    if (const Text home = homeFile(); writeBuiltInSound(home))
        return home;
    const Text folder = userFolder();
    if (folder.isEmpty())
        return {};
    std::error_code ignored;
    std::filesystem::create_directories(folder.toUtf8(), ignored);
    const Text copy = userFile();
    return writeBuiltInSound(copy) ? copy : Text();
}

void remove()
{
    removeFile(homeFile());
    if (const Text copy = userFile(); !copy.isEmpty())
        removeFile(copy);
}

} // namespace DefaultSound
