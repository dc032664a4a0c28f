#pragma once

#include "TweakHandler.h"
#include "common/Result.h"

#include <QHash>
#include <QString>

#include <memory>

namespace velmora {

class TweakRegistry;

/// The handlers of the tweaks that are not single preferences, bound to their tweak ids where the
/// program is put together (the window and `velmoractl` each bind the Dock's and the wallpaper's).
/// The catalogue itself only says which tweaks need one.
class TweakHandlers {
public:
    using Handler = std::shared_ptr<const TweakHandler>;

    /// No handlers: the tweaks that need one read as absent and refuse to apply.
    TweakHandlers() = default;

    /// Binds `handlers` by tweak id, refusing an id the registry has no handler tweak for, and a
    /// handler tweak left without one.
    static Result<TweakHandlers> bind(const TweakRegistry &registry, QHash<QString, Handler> handlers);

    /// The handler bound to a tweak id, or null.
    const TweakHandler *handlerFor(const QString &tweakID) const;
    /// The same, shared: for work that may outlive whoever asked (a worker thread's).
    Handler sharedHandlerFor(const QString &tweakID) const { return m_handlers.value(tweakID); }

private:
    QHash<QString, Handler> m_handlers;
};

} // namespace velmora
