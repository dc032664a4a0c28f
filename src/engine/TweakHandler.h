#pragma once

#include "catalogue/TweakValue.h"
#include "common/Result.h"

#include <QCoro/QCoroTask>

namespace velmora {

class Platform;

/// Serves a tweak whose value is not a single preference (the Dock's contents, the desktop
/// pictures). The handler packs the whole state into one `TweakValue` (a JSON text) so it can be
/// stored, saved in profiles and compared like any other value.
///
/// Handlers hold no state: everything they touch comes through the platform they are given.
/// They are called on the UI thread and resume there; their file work runs on a worker thread, so
/// the window never waits for a large file. `valuesEquivalent` may run on any thread.
class TweakHandler {
public:
    virtual ~TweakHandler() = default;

    /// The live state, read now. A failure makes the engine fall back to the tweak's default.
    virtual QCoro::Task<Result<TweakValue>> currentValue(Platform &platform) const = 0;

    /// `currentValue`, told a value the state may well equal (the one held, or a profile's). A
    /// handler of large values may hand `likely` itself back when the state matches it to the byte,
    /// so that the two share their memory instead of being held twice.
    virtual QCoro::Task<Result<TweakValue>> currentValueLike(Platform &platform, TweakValue likely) const
    {
        Q_UNUSED(likely);
        return currentValue(platform);
    }

    /// Makes the system match a value that `currentValue` produced (now or in a saved profile).
    /// Values of another case than `string` are ignored and succeed.
    virtual QCoro::Task<Status> apply(Platform &platform, TweakValue value) const = 0;

    /// Undoes nothing by itself; the engine re-reads `currentValue` after it succeeds.
    virtual QCoro::Task<Status> reset(Platform &platform) const = 0;

    /// Whether two values describe the same state. By default they must be equal; a handler whose
    /// text carries parts that change on every read (identifiers made afresh) says which do not count.
    virtual bool valuesEquivalent(const TweakValue &a, const TweakValue &b) const { return a == b; }
};

} // namespace velmora
