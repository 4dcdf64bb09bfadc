#include "pulseserver.h"

#include "testsupport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

extern char** environ;

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

pid_t spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            int standardOutput, int standardError)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable)
        variables.emplace_back(*variable);
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (const std::string& variable : variables)
        envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (standardOutput >= 0)
        posix_spawn_file_actions_adddup2(&actions, standardOutput, 1);
    if (standardError >= 0)
        posix_spawn_file_actions_adddup2(&actions, standardError, 2);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error(std::string("cannot start ") + argv[0] + ": " + std::strerror(error));
    return pid;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    const bool ended = waitUntil([pid] { return ::waitpid(pid, nullptr, WNOHANG) == pid; },
                                 std::chrono::seconds(3));
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
}

} // namespace

bool pulseAudioInstalled()
{
    return executableInPath("pulseaudio") && executableInPath("parec");
}

PulseServer::PulseServer()
{
    char pattern[] = "/tmp/tikora-pulse-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    m_folder = pattern;
    m_socket = m_folder + "/native";
    std::filesystem::create_directories(m_folder + "/runtime");
    std::filesystem::permissions(m_folder + "/runtime", std::filesystem::perms::owner_all);
    start();
}

void PulseServer::start()
{
    if (m_pid > 0)
        return;
    const int log = ::open((m_folder + "/log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    // Everything the daemon would keep lives in the private folder, so that it
    // neither finds nor disturbs a sound server of the machine's user. -n
    // skips the default configuration (no hardware, no autoloading); as root
    // it must be told that it is not the system-wide instance. Without rewinds
    // the null sink renders only as far ahead as its clients ask, like a sound
    // card; with them, an idle null sink sleeps up to two seconds ahead and a
    // new stream starts only when it wakes.
    m_pid = spawn({"pulseaudio", "--daemonize=no", "-n", "--system=no", "--use-pid-file=no", "--exit-idle-time=-1",
                   "--disallow-exit", "--disallow-module-loading", "--disable-shm=yes", "--log-target=stderr",
                   "--log-level=warning", "--load=module-null-sink sink_name=tikora_null rate=44100 channels=2 norewinds=1",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_socket},
                  {"HOME=" + m_folder, "XDG_RUNTIME_DIR=" + m_folder + "/runtime",
                   "XDG_CONFIG_HOME=" + m_folder + "/config", "PULSE_RUNTIME_PATH=" + m_folder + "/runtime",
                   "PULSE_STATE_PATH=" + m_folder + "/state"},
                  log, log);
    ::close(log);
}

void PulseServer::stop()
{
    soundtest::stop(m_pid);
    m_pid = -1;
}

PulseServer::~PulseServer()
{
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

bool PulseServer::waitUntilReady(std::chrono::milliseconds timeout) const
{
    return waitUntil(
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
    return readFile(m_folder + "/log");
}

MonitorRecorder::MonitorRecorder(const std::string& serverAddress)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    m_pid = spawn({"parec", "--server=" + serverAddress, "--device=tikora_null.monitor", "--format=s16le",
                   "--rate=44100", "--channels=2", "--latency-msec=10"},
                  {}, pipe[1], -1);
    ::close(pipe[1]);
    m_output = pipe[0];
    m_reader = std::thread(&MonitorRecorder::readPieces, this);
}

MonitorRecorder::~MonitorRecorder()
{
    stop(m_pid);
    m_reader.join();
    ::close(m_output);
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
        const ssize_t count = ::read(m_output, reinterpret_cast<char*>(samples) + carried, sizeof samples - carried);
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
