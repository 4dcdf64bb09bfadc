#pragma once

// Helpers of the sound tests: temporary files, waiting, and counting the
// process's threads (the player's worker and pipeline threads show there).

#include <chrono>
#include <functional>
#include <string>

namespace soundtest {

/// A folder under /tmp removed with everything in it when the object goes.
class TemporaryFolder final
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    /// The folder's path.
    const std::string& path() const { return m_path; }
    /// path()/name, written with bytes.
    std::string write(const std::string& name, const std::string& bytes) const;
    /// path()/name, not created.
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

/// Sends what the process writes to standard error into a file for as long
/// as it lives, so that a test can tell that nothing was printed.
class StandardErrorCapture final
{
public:
    StandardErrorCapture();
    ~StandardErrorCapture();
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    /// What was written so far.
    std::string text() const;

private:
    TemporaryFolder m_folder;
    int m_saved = -1;
};

/// Peak resident memory of the process so far, in kilobytes.
long peakMemoryKilobytes();

/// The file's bytes (empty when it cannot be read).
std::string readFile(const std::string& path);

/// Threads of this process right now.
int threadCount();

/// Waits until the process has count threads (or fewer): a joined thread may
/// stay listed by the kernel for a moment after the join has returned.
bool threadsSettleAt(int count, std::chrono::milliseconds timeout = std::chrono::milliseconds(500));

/// Polls condition every few milliseconds until it holds or timeout passes.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

/// Milliseconds that call took.
double millisecondsFor(const std::function<void()>& call);

/// Bound for a call that must not wait for the sound, the device or a file:
/// far below the seconds a call that waits takes, far above the scheduling
/// delays of a busy machine running sanitizers.
constexpr double kPromptMilliseconds = 1000.0;

/// CPU time (user and system) this process has used so far, in milliseconds.
double processCpuMilliseconds();

/// Bytes this process has read through read() and its kind so far.
long long bytesRead();

} // namespace soundtest
