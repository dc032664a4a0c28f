#pragma once

#include "Profile.h"

#include <QCoro/QCoroTask>
#include <QList>

#include <optional>

namespace velmora {

class TweakEngine;

/// One profile value the catalogue knows, beside the engine's current value of that tweak.
struct ProfileDiffItem {
    QString id;
    QString title;
    QString categoryID;
    std::optional<TweakValue> currentValue;
    TweakValue newValue;
    /// Whether the two values describe the same state. For most tweaks that is plain equality; a
    /// structured tweak's handler may leave out parts that change on every read.
    bool sameState = false;

    /// A change: nothing is set now, or what is set differs from the profile's value.
    bool isChanged() const { return !currentValue || !sameState; }
};

/// The review's items: every profile value the catalogue knows (after reading all values afresh),
/// sorted by title, case-insensitively in the user's locale, stably. None should the engine go away
/// meanwhile.
QCoro::Task<QList<ProfileDiffItem>> computeItems(Profile profile, TweakEngine *engine);

} // namespace velmora
