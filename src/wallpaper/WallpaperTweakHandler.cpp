#include "WallpaperTweakHandler.h"

namespace velmora {

std::shared_ptr<const TweakHandler> makeWallpaperTweakHandler()
{
    return nullptr;
}

} // namespace velmora
