#include "host/commands/delay.h"

#include <algorithm>
#include <thread>

namespace host {
namespace {

void realSleep(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

std::function<void(std::chrono::milliseconds)>& sleepInUse()
{
    static std::function<void(std::chrono::milliseconds)> sleep = realSleep;
    return sleep;
}

} // namespace

void delay(std::int32_t milliseconds)
{
    sleepInUse()(std::chrono::milliseconds(std::max(milliseconds, std::int32_t(0))));
}

void setSleep(std::function<void(std::chrono::milliseconds)> sleep)
{
    sleepInUse() = sleep ? std::move(sleep) : std::function<void(std::chrono::milliseconds)>(realSleep);
}

} // namespace host
