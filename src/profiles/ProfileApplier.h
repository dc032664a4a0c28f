#pragma once

#include "Profile.h"
#include "ProfileApplyReport.h"

#include <QCoro/QCoroTask>

namespace velmora {

class TweakEngine;

/// Applies every value of a profile whose tweak the catalogue knows, one after the other, then
/// restarts what they recorded, once. A value that fails is reported and the rest go on; ids the
/// catalogue does not know are passed over. The engine's last error is left as its applies leave it.
QCoro::Task<ProfileApplyReport> applyProfile(TweakEngine *engine, Profile profile);

} // namespace velmora
