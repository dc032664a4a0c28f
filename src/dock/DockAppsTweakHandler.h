#pragma once

#include "engine/TweakHandler.h"

#include <memory>

namespace velmora {

/// The handler of the "dock.apps" tweak: the Dock's contents as one JSON text.
/// (Not served yet: the catalogue entry has no handler until the Dock editor lands.)
std::shared_ptr<const TweakHandler> makeDockAppsTweakHandler();

} // namespace velmora
