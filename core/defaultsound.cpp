#include "core/defaultsound.h"

#include "host/commands.h"
#include "host/sound/soundservice.h"
#include "resources/builtinsound.h"

#include "host/codec.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

using namespace host;

namespace DefaultSound {
namespace {

constinit const FixedText kFileName = "/misc.mp3"_t;
constinit const FixedText kFolderName = "/tikora"_t;
constinit const FixedText kCacheFolderName = "/.cache/tikora"_t;

// A folder only this user writes in: the session's runtime folder, else the
// user's cache. Empty when the environment names neither.
Text userFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return Text::fromUtf8(runtime) + kFolderName.text();
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        return Text::fromUtf8(cache) + kFolderName.text();
    if (const char* home = std::getenv("HOME"); home && *home)
        return Text::fromUtf8(home) + kCacheFolderName.text();
    return {};
}

Text userFile()
{
    const Text folder = userFolder();
    return folder.isEmpty() ? Text() : folder + kFileName.text();
}

// The files' paths in the file system's encoding, set once before the
// termination handlers are installed and only read by them.
std::string g_homePath;
std::string g_userPath;

// Runs in a signal handler, on whichever thread the signal reached: only
// calls that are safe there (unlink, signal, raise).
void removeAndEnd(int signalNumber)
{
    ::unlink(g_homePath.c_str());
    if (!g_userPath.empty())
        ::unlink(g_userPath.c_str());
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
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
    return runDirectory() + kFileName.text();
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

void removeOnTermination()
{
    g_homePath = codec::toFileSystemPath(homeFile());
    const Text copy = userFile();
    g_userPath = copy.isEmpty() ? std::string() : codec::toFileSystemPath(copy);

    struct sigaction action = {};
    action.sa_handler = removeAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current = {};
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        sigaction(signalNumber, &action, nullptr);
    }
}

} // namespace DefaultSound
