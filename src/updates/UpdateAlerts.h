#pragma once

#include "UpdateCheckResult.h"

#include <functional>

namespace velmora {

/// The windows an update check shows. None of them may block: each is shown and the call returns,
/// so a check never holds the event loop (and tests answer them without a modal loop).
class UpdateAlerts {
public:
    virtual ~UpdateAlerts() = default;

    /// A user-initiated check has begun; `cancel` stops it.
    virtual void showChecking(std::function<void()> cancel) = 0;
    /// The check ended (with any outcome): the progress window goes away.
    virtual void hideChecking() = 0;
    /// "You're up to date!" with the running version.
    virtual void showUpToDate(const UpdateCheckResult &result) = 0;
    /// A newer release: its version, its release notes, and "Download".
    virtual void showUpdateAvailable(const UpdateCheckResult &result) = 0;
    /// The feed could not be fetched or read.
    virtual void showError(const UpdateCheckResult &result) = 0;
};

} // namespace velmora
