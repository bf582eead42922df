#include "tools/corvanectl/RealBus.h"

#include "platform/SystemClock.h"
#include "platform/hid/HidApiTransport.h"

namespace corvane::ctl {

std::unique_ptr<HidTransport> MakeRealTransport()
{
    return std::make_unique<HidApiTransport>();
}

std::unique_ptr<Clock> MakeSystemClock()
{
    return std::make_unique<SystemClock>();
}

} // namespace corvane::ctl
