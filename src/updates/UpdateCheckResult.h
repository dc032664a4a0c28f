#pragma once

#include "AppcastItem.h"

#include <QString>

namespace velmora {

/// How one update check ended.
struct UpdateCheckResult {
    enum class Outcome {
        /// The feed's newest release is not newer than the running version.
        upToDate,
        /// `item` is newer than the running version.
        updateAvailable,
        /// The feed could not be fetched or read; `error` says why.
        failed,
        /// The user cancelled the check before it ended.
        cancelled,
    };

    Outcome outcome = Outcome::failed;
    /// The running version the feed was compared with.
    QString currentVersion;
    /// The newest release, when there is one.
    AppcastItem item;
    QString error;
};

} // namespace velmora
