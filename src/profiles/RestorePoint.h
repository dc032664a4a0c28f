#pragma once

#include "Profile.h"

#include <QString>
#include <QStringList>

namespace velmora {

/// What an apply changed, as it was before: the values to put back, and the tweaks that had no value
/// (put back by resetting them). Kept as a profile file, with those tweaks' ids beside its values.
struct RestorePoint {
    /// The file it is kept in.
    QString path;
    Profile profile;
    /// Tweaks the apply set that had no value of their own before it.
    QStringList notSet;

    /// The profile its review shows: the values to put back, and each tweak without one at its default.
    Profile reviewProfile() const;
};

} // namespace velmora
