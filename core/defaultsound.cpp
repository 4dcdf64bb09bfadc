#include "core/defaultsound.h"

#include "host/commands.h"
#include "resources/builtinsound.h"

#include "host/values/codec.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <pthread.h>
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

constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The files' paths in the file system's encoding and the thread that writes
// them, set once before the termination handlers are installed and only read
// by them.
std::string g_homePath;
std::string g_userPath;
pthread_t g_uiThread {};

// The files this run last renamed into place, home and copy: what remove()
// and the termination handler may take away. Changed by the UI thread only
// while the termination signals are held back, and read by their handler on
// that thread, so never half-changed.
FileIdentity g_homeWritten;
FileIdentity g_userWritten;

// Runs in a signal handler, on whichever thread the signal reached: only
// calls that are safe there (pthread_self, pthread_kill, lstat, unlink,
// signal, raise).
void removeAndEnd(int signalNumber)
{
    // Handled on the UI thread, which holds the signal back while it writes:
    // a write is never cut short, so no temporary file is left behind and the
    // identities are those of the files now in place.
    if (!pthread_equal(pthread_self(), g_uiThread)) {
        pthread_kill(g_uiThread, signalNumber);
        return;
    }
    removeWrittenFile(g_homePath.c_str(), g_homeWritten);
    if (!g_userPath.empty())
        removeWrittenFile(g_userPath.c_str(), g_userWritten);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// Holds the termination signals back on this thread while it lives.
class TerminationHeldBack final
{
public:
    TerminationHeldBack()
    {
        sigset_t signals;
        sigemptyset(&signals);
        for (const int signalNumber : kTerminationSignals)
            sigaddset(&signals, signalNumber);
        pthread_sigmask(SIG_BLOCK, &signals, &m_previous);
    }
    ~TerminationHeldBack() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }

private:
    sigset_t m_previous {};
};

// Written straight from where the program holds the sound, whose pages are
// then given back: the program needs them only until the file is written.
bool writeBuiltInSound(const Text& path, FileIdentity& written)
{
    const TerminationHeldBack heldBack;
    const bool ok = writeBytesToFile(path, resources::builtInSoundBytes(), &written);
    resources::releaseBuiltInSound();
    return ok;
}

} // namespace

Text homeFile()
{
    return runDirectory() + kFileName.text();
}

Text write()
{
    if (const Text home = homeFile(); writeBuiltInSound(home, g_homeWritten))
        return home;
    const Text folder = userFolder();
    if (folder.isEmpty())
        return {};
    std::error_code ignored;
    std::filesystem::create_directories(folder.toUtf8(), ignored);
    const Text copy = userFile();
    return writeBuiltInSound(copy, g_userWritten) ? copy : Text();
}

void remove()
{
    removeWrittenFile(codec::toFileSystemPath(homeFile()).c_str(), g_homeWritten);
    if (const Text copy = userFile(); !copy.isEmpty())
        removeWrittenFile(codec::toFileSystemPath(copy).c_str(), g_userWritten);
}

void removeOnTermination()
{
    g_homePath = codec::toFileSystemPath(homeFile());
    const Text copy = userFile();
    g_userPath = copy.isEmpty() ? std::string() : codec::toFileSystemPath(copy);
    g_uiThread = pthread_self();

    struct sigaction action = {};
    action.sa_handler = removeAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : kTerminationSignals) {
        struct sigaction current = {};
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        sigaction(signalNumber, &action, nullptr);
    }
}

} // namespace DefaultSound
