#pragma once

#include "engine/TweakHandler.h"

#include <memory>

namespace velmora {

/// The handler of the "wallpaper.config" tweak: every display's desktop picture as one JSON text.
/// (Not served yet: the catalogue entry has no handler until the wallpaper editor lands.)
std::shared_ptr<const TweakHandler> makeWallpaperTweakHandler();

} // namespace velmora
