#include "sound/captureoutput.h"

#include "sound/capturelog.h"

#include <thread>

namespace host::sound {

CaptureOutput::CaptureOutput(CaptureLog& log)
    : m_log(log)
{
    m_log.created();
}

CaptureOutput::~CaptureOutput()
{
    m_log.destroyed(m_segment);
}

bool CaptureOutput::open(long rate, int channels)
{
    m_segment = m_log.opened(rate, channels);
    m_rate = rate;
    m_channels = channels;
    resume();
    return true;
}

bool CaptureOutput::write(std::span<const std::int16_t> samples)
{
    if (m_segment < 0)
        return false;
    m_log.wrote(m_segment, samples);
    if (m_log.speed() > 0.0) {
        m_pacedFrames += static_cast<std::int64_t>(samples.size()) / m_channels;
        const std::chrono::duration<double> heard(double(m_pacedFrames) / double(m_rate) / m_log.speed());
        std::this_thread::sleep_until(m_pacingStart
                                      + std::chrono::duration_cast<std::chrono::steady_clock::duration>(heard));
    }
    return true;
}

void CaptureOutput::drain()
{
    m_log.changed(m_segment, [](CaptureLog::Segment& segment) { segment.drained = true; });
}

void CaptureOutput::drop()
{
    m_log.changed(m_segment, [](CaptureLog::Segment& segment) { segment.dropped = true; });
}

void CaptureOutput::pause()
{
    m_log.changed(m_segment, [](CaptureLog::Segment& segment) { ++segment.pauses; });
}

void CaptureOutput::resume()
{
    m_pacedFrames = 0;
    m_pacingStart = std::chrono::steady_clock::now();
}

} // namespace host::sound
