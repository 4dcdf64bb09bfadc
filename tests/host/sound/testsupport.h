#pragma once

// Helpers of the sound tests: what the process printed, read, used and ran
// (the player's worker and pipeline threads show among its threads).

#include "temporaryfolder.h"
#include "waiting.h"

#include <chrono>
#include <functional>
#include <string>

namespace soundtest {

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
    testsupport::TemporaryFolder m_folder;
    int m_saved = -1;
};

/// Peak resident memory of the process so far, in kilobytes.
long peakMemoryKilobytes();

/// Threads of this process right now.
int threadCount();

/// Waits until the process has count threads (or fewer): a joined thread may
/// stay listed by the kernel for a moment after the join has returned.
bool threadsSettleAt(int count, std::chrono::milliseconds timeout = std::chrono::milliseconds(500));

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
