#include "processgroup.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

extern char** environ;

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

ProcessGroup::ProcessGroup(const std::vector<std::string>& command, const Options& options)
{
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& variable : options.environment)
        envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);

    int pipe[2] = {-1, -1};
    const bool captured = options.output == Output::Captured || options.output == Output::CapturedWithErrors;
    if (captured && ::pipe2(pipe, O_CLOEXEC) != 0) {
        m_failure = std::string("no pipe: ") + std::strerror(errno);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (captured) {
        posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
        if (options.output == Output::CapturedWithErrors)
            posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    }
    if (!options.errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, options.errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (!options.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int error = posix_spawnp(&m_pid, argv[0], &actions, &attributes, argv.data(),
                                   options.environment.empty() ? environ : envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (pipe[1] >= 0)
        ::close(pipe[1]);
    m_output = pipe[0];
    if (error != 0) {
        m_pid = -1;
        m_failure = "cannot start " + command.front() + ": " + std::strerror(error);
    }
}

ProcessGroup::~ProcessGroup()
{
    stop();
    if (m_output >= 0)
        ::close(m_output);
}

bool ProcessGroup::isRunning()
{
    return started() && !waitForExit(std::chrono::milliseconds(0));
}

std::optional<int> ProcessGroup::waitForExit(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (!m_exit && started()) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
            m_exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        else if (Clock::now() >= deadline)
            break;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return m_exit;
}

bool ProcessGroup::readMore(std::chrono::steady_clock::time_point deadline)
{
    pollfd ready{m_output, POLLIN, 0};
    char chunk[4096];
    ssize_t got = 0;
    if (m_output >= 0 && ::poll(&ready, 1, remainingMs(deadline)) > 0)
        got = ::read(m_output, chunk, sizeof chunk);
    if (got > 0)
        m_buffer.append(chunk, static_cast<std::size_t>(got));
    return got > 0;
}

std::optional<std::string> ProcessGroup::readLine(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    std::size_t end;
    while ((end = m_buffer.find('\n')) == std::string::npos) {
        if (!readMore(deadline))
            return std::nullopt;
    }
    std::string line = m_buffer.substr(0, end);
    m_buffer.erase(0, end + 1);
    return line;
}

std::string ProcessGroup::readAll(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (readMore(deadline)) {
    }
    return std::exchange(m_buffer, {});
}

void ProcessGroup::signal(int signalNumber)
{
    if (isRunning())
        ::kill(m_pid, signalNumber);
}

void ProcessGroup::stop()
{
    if (!isRunning())
        return;
    ::kill(-m_pid, SIGTERM);
    if (!waitForExit(std::chrono::seconds(5))) {
        ::kill(-m_pid, SIGKILL);
        waitForExit(std::chrono::seconds(3));
    }
}

std::optional<int> runToEnd(const std::vector<std::string>& command, std::string& output,
                            std::chrono::milliseconds timeout, const ProcessGroup::Options& options)
{
    const auto deadline = Clock::now() + timeout;
    ProcessGroup process(command, options);
    if (!process.started()) {
        output = process.failure();
        return std::nullopt;
    }
    output = process.readAll(timeout);
    return process.waitForExit(std::chrono::milliseconds(remainingMs(deadline)));
}

} // namespace testsupport
