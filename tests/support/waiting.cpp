#include "waiting.h"

#include <thread>

namespace testsupport {
namespace {

void sleepBriefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

std::function<void()>& waitStep()
{
    static std::function<void()> step = sleepBriefly;
    return step;
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        waitStep()();
        std::this_thread::sleep_for(interval);
    }
    return true;
}

void setWaitStep(std::function<void()> step)
{
    waitStep() = step ? std::move(step) : std::function<void()>(sleepBriefly);
}

} // namespace testsupport
