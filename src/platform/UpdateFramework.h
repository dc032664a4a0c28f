#pragma once

#include "common/Result.h"

#include <QString>

#include <optional>

namespace velmora {

/// The system's update framework, where the application carries one: it checks the feed named in
/// the bundle's settings, and shows its own windows. Used from the window's thread only.
class UpdateFramework {
public:
    virtual ~UpdateFramework() = default;

    /// Why the framework cannot be used (not in the bundle, not loadable); nothing when it can.
    virtual std::optional<QString> unavailableReason() const = 0;
    /// Starts its updater (and the scheduled checks its settings ask for). Fails with the reason.
    virtual Status start() = 0;
    /// Whether a check the user asks for can start now.
    virtual bool canCheckForUpdates() const = 0;
    /// A check the user asked for, with the framework's own progress and result windows.
    virtual void checkForUpdates() = 0;
};

} // namespace velmora
