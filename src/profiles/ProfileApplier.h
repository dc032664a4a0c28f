#pragma once

#include "Profile.h"

#include <QCoro/QCoroTask>

namespace velmora {

class TweakEngine;

/// Applies every value of a profile whose tweak the catalogue knows, one after the other, then
/// restarts what they recorded, once. A failed value is left in the engine's last error and the rest
/// go on; ids the catalogue does not know are passed over.
QCoro::Task<> applyProfile(TweakEngine *engine, Profile profile);

} // namespace velmora
