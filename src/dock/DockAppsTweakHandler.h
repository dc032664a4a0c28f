#pragma once

#include "engine/TweakHandler.h"

#include <memory>

namespace velmora {

/// The handler of the "dock.apps" tweak: the Dock's contents as the JSON text of a
/// `DockProfilePayload`. Applying accepts that text or the older array of application entries;
/// anything else changes nothing and succeeds.
class DockAppsTweakHandler : public TweakHandler {
public:
    /// Reads the Dock's preference on a worker thread.
    QCoro::Task<Result<TweakValue>> currentValue(Platform &platform) const override;
    QCoro::Task<Status> apply(Platform &platform, TweakValue value) const override;
    QCoro::Task<Status> reset(Platform &platform) const override;

    /// Two payloads are the same state when they hold the same tiles: every read gives the others
    /// new identities, which do not count. Texts that are no payload must be equal.
    bool valuesEquivalent(const TweakValue &a, const TweakValue &b) const override;
};

std::shared_ptr<const TweakHandler> makeDockAppsTweakHandler();

} // namespace velmora
