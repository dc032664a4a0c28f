#include "ProfileApplier.h"

#include "engine/TweakEngine.h"

#include <QPointer>

namespace velmora {

QCoro::Task<> applyProfile(TweakEngine *engine, Profile profile)
{
    QPointer<TweakEngine> guard(engine);
    for (auto it = profile.values.cbegin(); it != profile.values.cend(); ++it) {
        if (!guard)
            co_return;
        const std::optional<Tweak> tweak = engine->registry().tweak(it.key());
        if (!tweak)
            continue;
        const TweakValue value = it.value();
        co_await engine->apply(value, *tweak);
    }
    if (guard)
        co_await engine->restartPending();
}

} // namespace velmora
