#include "pulseserver.h"

#include "waiting.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace soundtest {
namespace {

bool executableInPath(const char* name)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

bool pulseAudioInstalled()
{
    return executableInPath("pulseaudio") && executableInPath("parec");
}

PulseServer::PulseServer()
{
    m_socket = m_folder.file("native");
    std::filesystem::create_directories(m_folder.file("runtime"));
    std::filesystem::permissions(m_folder.file("runtime"), std::filesystem::perms::owner_all);
    start();
}

void PulseServer::start()
{
    if (m_daemon && m_daemon->isRunning())
        return;
    // Everything the daemon would keep lives in the private folder, so that it
    // neither finds nor disturbs a sound server of the machine's user. -n
    // skips the default configuration (no hardware, no autoloading); as root
    // it must be told that it is not the system-wide instance. Without rewinds
    // the null sink renders only as far ahead as its clients ask, like a sound
    // card; with them, an idle null sink sleeps up to two seconds ahead and a
    // new stream starts only when it wakes.
    const std::string folder = m_folder.path();
    m_daemon.emplace(
        std::vector<std::string>{"env", "HOME=" + folder, "XDG_RUNTIME_DIR=" + folder + "/runtime",
                                 "XDG_CONFIG_HOME=" + folder + "/config", "PULSE_RUNTIME_PATH=" + folder + "/runtime",
                                 "PULSE_STATE_PATH=" + folder + "/state", "pulseaudio", "--daemonize=no", "-n",
                                 "--system=no", "--use-pid-file=no", "--exit-idle-time=-1", "--disallow-exit",
                                 "--disallow-module-loading", "--disable-shm=yes", "--log-target=stderr",
                                 "--log-level=warning",
                                 "--load=module-null-sink sink_name=tikora_null rate=44100 channels=2 norewinds=1",
                                 "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_socket},
        testsupport::ProcessGroup::Options{.errorFile = m_folder.file("log")});
}

void PulseServer::stop()
{
    m_daemon.reset();
}

PulseServer::~PulseServer() = default;

bool PulseServer::waitUntilReady(std::chrono::milliseconds timeout) const
{
    return testsupport::waitUntil(
        [&] {
            const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, m_socket.c_str(), sizeof address.sun_path - 1);
            const bool connected = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(probe);
            return connected;
        },
        timeout);
}

std::string PulseServer::log() const
{
    return testsupport::readFile(m_folder.file("log"));
}

MonitorRecorder::MonitorRecorder(const std::string& serverAddress)
    : m_parec({"parec", "--server=" + serverAddress, "--device=tikora_null.monitor", "--format=s16le", "--rate=44100",
               "--channels=2", "--latency-msec=10"},
              {.output = testsupport::ProcessGroup::Output::Captured})
{
    m_reader = std::thread(&MonitorRecorder::readPieces, this);
}

MonitorRecorder::~MonitorRecorder()
{
    // Its output ends with it, and so does the reader.
    m_parec.stop();
    m_reader.join();
}

std::vector<MonitorRecorder::Piece> MonitorRecorder::pieces() const
{
    const std::lock_guard lock(m_mutex);
    return m_pieces;
}

std::optional<std::chrono::steady_clock::time_point> MonitorRecorder::firstLoud(
    std::chrono::steady_clock::time_point after) const
{
    for (const Piece& piece : pieces()) {
        if (piece.arrival >= after && piece.peak > kLoud)
            return piece.arrival;
    }
    return std::nullopt;
}

std::optional<std::chrono::steady_clock::time_point> MonitorRecorder::lastLoud() const
{
    std::optional<std::chrono::steady_clock::time_point> last;
    for (const Piece& piece : pieces()) {
        if (piece.peak > kLoud)
            last = piece.arrival;
    }
    return last;
}

void MonitorRecorder::readPieces()
{
    std::int16_t samples[1024];
    std::size_t carried = 0; // a byte of a sample cut by the previous read
    for (;;) {
        const ssize_t count = ::read(m_parec.outputDescriptor(), reinterpret_cast<char*>(samples) + carried,
                                     sizeof samples - carried);
        if (count <= 0)
            return;
        const std::size_t bytes = carried + static_cast<std::size_t>(count);
        Piece piece {std::chrono::steady_clock::now(), 0, bytes / 4};
        for (std::size_t i = 0; i < bytes / 2; ++i)
            piece.peak = std::max(piece.peak, std::abs(int(samples[i])));
        carried = bytes % 2;
        if (carried)
            reinterpret_cast<char*>(samples)[0] = reinterpret_cast<char*>(samples)[bytes - 1];
        const std::lock_guard lock(m_mutex);
        m_pieces.push_back(piece);
    }
}

} // namespace soundtest
