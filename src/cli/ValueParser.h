#pragma once

#include "catalogue/Tweak.h"
#include "common/Result.h"

namespace velmora {

/// Reads a value typed on the command line the way the tweak's control would produce it: a switch
/// takes on/off, true/false, yes/no or 1/0; a stepper or slider a number within the tweak's bounds; a
/// picker one of its options, by label or by value; a text or path field the text as given.
Result<TweakValue> parseValueForTweak(const Tweak &tweak, const QString &text);

} // namespace velmora
