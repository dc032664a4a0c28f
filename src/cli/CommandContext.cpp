#include "CommandContext.h"

#include "platform/PlatformFactory.h"

namespace velmora {

Platform *CommandContext::platform()
{
    if (!m_platform) {
        Result<std::unique_ptr<Platform>> made = createPlatform(PlatformOptions{simulatedRoot});
        if (!made) {
            err << "velmoractl: " << made.error() << '\n';
            return nullptr;
        }
        m_platform = std::move(made).value();
    }
    return m_platform.get();
}

} // namespace velmora
