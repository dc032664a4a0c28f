#pragma once

#include "common/Result.h"

#include <QString>

namespace velmora {

/// Why writing a part of the Dock failed: either the preference itself could not be written (nothing
/// changed), or it was written and the Dock could not be restarted to show it.
struct DockWriteError {
    enum class Stage { preference, restart };

    Stage stage = Stage::preference;
    QString description;

    /// Whether the Dock's preference now holds the new tiles.
    bool preferenceWritten() const { return stage == Stage::restart; }
};

using DockWriteStatus = BasicStatus<DockWriteError>;

} // namespace velmora
