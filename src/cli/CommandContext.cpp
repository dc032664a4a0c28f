#include "CommandContext.h"

#include "dock/DockAppsTweakHandler.h"
#include "engine/TweakEngine.h"
#include "platform/factory/PlatformFactory.h"
#include "wallpaper/WallpaperTweakHandler.h"

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

std::unique_ptr<TweakEngine> CommandContext::makeEngine()
{
    Platform *made = platform();
    if (!made)
        return nullptr;
    // Where velmoractl is put together: the two tweaks that are whole states get their handlers.
    Result<TweakHandlers> handlers = TweakHandlers::bind(
        TweakRegistry::shared(), {{QStringLiteral("dock.apps"), makeDockAppsTweakHandler()},
                                  {QStringLiteral("wallpaper.config"), makeWallpaperTweakHandler()}});
    if (!handlers) {
        err << "velmoractl: " << handlers.error() << '\n';
        return nullptr;
    }
    return std::make_unique<TweakEngine>(TweakRegistry::shared(), *made, std::move(handlers).value());
}

} // namespace velmora
