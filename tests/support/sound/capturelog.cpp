#include "sound/capturelog.h"

#include "sound/captureoutput.h"

#include <cstdlib>

namespace host::sound {

AudioOutputFactory CaptureLog::factory()
{
    return [this] { return std::make_unique<CaptureOutput>(*this); };
}

std::vector<CaptureLog::Segment> CaptureLog::segments() const
{
    const std::lock_guard lock(m_mutex);
    return m_segments;
}

int CaptureLog::liveOutputs() const
{
    const std::lock_guard lock(m_mutex);
    return m_liveOutputs;
}

int CaptureLog::outputsCreated() const
{
    const std::lock_guard lock(m_mutex);
    return m_outputsCreated;
}

bool CaptureLog::waitFor(const std::function<bool(const std::vector<Segment>&)>& condition,
                         std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return condition(m_segments); });
}

int CaptureLog::opened(long rate, int channels)
{
    const std::lock_guard lock(m_mutex);
    m_segments.push_back(Segment {.rate = rate, .channels = channels});
    m_changed.notify_all();
    return static_cast<int>(m_segments.size()) - 1;
}

void CaptureLog::wrote(int segment, std::span<const std::int16_t> samples)
{
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(int(sample)));
    const std::lock_guard lock(m_mutex);
    Segment& target = m_segments.at(segment);
    target.frames += static_cast<std::int64_t>(samples.size()) / target.channels;
    target.peak = std::max(target.peak, peak);
    m_changed.notify_all();
}

void CaptureLog::changed(int segment, const std::function<void(Segment&)>& change)
{
    if (segment < 0)
        return;
    const std::lock_guard lock(m_mutex);
    change(m_segments.at(segment));
    m_changed.notify_all();
}

void CaptureLog::created()
{
    const std::lock_guard lock(m_mutex);
    ++m_liveOutputs;
    ++m_outputsCreated;
    m_changed.notify_all();
}

void CaptureLog::destroyed(int segment)
{
    const std::lock_guard lock(m_mutex);
    --m_liveOutputs;
    if (segment >= 0)
        m_segments.at(segment).closed = true;
    m_changed.notify_all();
}

} // namespace host::sound
