#include "TweakHandlers.h"

#include "catalogue/TweakRegistry.h"

namespace velmora {

Result<TweakHandlers> TweakHandlers::bind(const TweakRegistry &registry, QHash<QString, Handler> handlers)
{
    QSet<QString> ids;
    for (auto it = handlers.cbegin(); it != handlers.cend(); ++it) {
        if (!it.value())
            return Result<TweakHandlers>::failure(
                QStringLiteral("the handler bound to \"%1\" is empty").arg(it.key()));
        ids.insert(it.key());
    }
    const Status checked = registry.checkHandlerIDs(ids);
    if (!checked)
        return Result<TweakHandlers>::failure(checked.error());
    TweakHandlers bound;
    bound.m_handlers = std::move(handlers);
    return bound;
}

const TweakHandler *TweakHandlers::handlerFor(const QString &tweakID) const
{
    const auto found = m_handlers.constFind(tweakID);
    return found == m_handlers.cend() ? nullptr : found->get();
}

} // namespace velmora
