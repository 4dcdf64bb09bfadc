#pragma once

// Programs and servers the tests start: each the leader of a process group
// of its own, so that ending the group ends everything it started (the
// faketime wrapper's child, a compositor's helpers). Free of Qt, so that the
// sound tests use it as the scenarios do.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

class ProcessGroup final
{
public:
    /// Where the program's standard output (and errors) go: this process's,
    /// or a pipe the test reads (its output alone, or with errors).
    enum class Output { Inherited, Captured, CapturedWithErrors };

    struct Options
    {
        /// The whole environment, NAME=value; empty: this process's.
        std::vector<std::string> environment;
        /// Empty: this process's.
        std::string workingFolder;
        Output output = Output::Inherited;
        /// Standard error to this file (appended), whatever `output` says.
        std::string errorFile;
    };

    /// Starts `command` (a program found on PATH, then its arguments).
    explicit ProcessGroup(const std::vector<std::string>& command, const Options& options);
    explicit ProcessGroup(const std::vector<std::string>& command) : ProcessGroup(command, Options{}) {}
    /// Ends the group (stop()).
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    /// Whether the program started; why not, when it did not.
    bool started() const { return m_pid > 0; }
    const std::string& failure() const { return m_failure; }
    /// The leader's process id, which is also the group's.
    pid_t pid() const { return m_pid; }

    /// Whether the leader still runs.
    bool isRunning();
    /// Waits for the leader to end; its exit code (128 + the signal that
    /// ended it), or nothing when it still runs after `timeout`.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    /// The next line of captured output, without its newline; nothing when
    /// none came within `timeout` or the output ended.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    /// Reads captured output for as long as it comes, until it ends or
    /// `timeout` passes.
    std::string readAll(std::chrono::milliseconds timeout);
    /// The read end of the captured output, for a reader of its own.
    int outputDescriptor() const { return m_output; }

    /// Sends a signal to the leader alone.
    void signal(int signalNumber);
    /// Asks the whole group to end, then forces it.
    void stop();

private:
    // Appends what comes of the output before `deadline`; false when nothing does.
    bool readMore(std::chrono::steady_clock::time_point deadline);

    pid_t m_pid = -1;
    std::optional<int> m_exit;
    int m_output = -1;
    std::string m_buffer;
    std::string m_failure;
};

/// Runs a command to its end in a group of its own, keeping what it wrote
/// (its output and errors, unless `options` captures the output alone); its
/// exit code, or nothing when it did not start or still ran after `timeout`,
/// when it is ended with its group.
std::optional<int> runToEnd(const std::vector<std::string>& command, std::string& output,
                            std::chrono::milliseconds timeout = std::chrono::seconds(120),
                            const ProcessGroup::Options& options = {.output = ProcessGroup::Output::CapturedWithErrors});

} // namespace testsupport
