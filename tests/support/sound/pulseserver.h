#pragma once

// A private PulseAudio for tests: its own folder, its own socket, one null
// sink, started and stopped by the test, touching nothing of the machine's.

#include "processgroup.h"
#include "temporaryfolder.h"

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace soundtest {

/// Whether the pulseaudio and parec programs are installed.
bool pulseAudioInstalled();

/// A PulseAudio daemon with a null sink named "tikora_null", anonymous access
/// on its own socket, and no exit while idle. Stopped (and its folder
/// removed) by the destructor.
class PulseServer final
{
public:
    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    /// Ends the daemon, as if the sound server went away.
    void stop();
    /// Starts the daemon again on the same socket (after stop()).
    void start();
    /// Whether the daemon answers on its socket (waits up to timeout).
    bool waitUntilReady(std::chrono::milliseconds timeout) const;
    /// The server string for PULSE_SERVER.
    std::string address() const { return "unix:" + m_socket; }
    /// What the daemon wrote to its log, for failure messages.
    std::string log() const;

private:
    testsupport::TemporaryFolder m_folder;
    std::string m_socket;
    std::optional<testsupport::ProcessGroup> m_daemon;
};

/// Records the null sink's monitor with parec at low latency, noting for every
/// piece that arrives when it came and its peak amplitude.
class MonitorRecorder final
{
public:
    /// One read from parec.
    struct Piece
    {
        std::chrono::steady_clock::time_point arrival;
        int peak = 0;
        std::size_t frames = 0;
    };

    explicit MonitorRecorder(const std::string& serverAddress);
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    /// Well above the silence of a null sink (exactly 0), well below the
    /// quietest note of the built-in sound.
    static constexpr int kLoud = 1000;

    /// Everything recorded so far.
    std::vector<Piece> pieces() const;
    /// When the first loud piece at or after `after` arrived, if one did.
    std::optional<std::chrono::steady_clock::time_point> firstLoud(std::chrono::steady_clock::time_point after) const;
    /// When the last loud piece arrived, if one did.
    std::optional<std::chrono::steady_clock::time_point> lastLoud() const;

private:
    void readPieces();

    testsupport::ProcessGroup m_parec;
    mutable std::mutex m_mutex;
    std::vector<Piece> m_pieces;
    std::thread m_reader;
};

} // namespace soundtest
