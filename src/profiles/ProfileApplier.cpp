#include "ProfileApplier.h"

#include "engine/TweakEngine.h"

#include <QPointer>

namespace velmora {

QCoro::Task<ProfileApplyReport> applyProfile(TweakEngine *engine, Profile profile)
{
    QPointer<TweakEngine> guard(engine);
    ProfileApplyReport report;
    for (auto it = profile.values.cbegin(); it != profile.values.cend(); ++it) {
        if (!guard)
            co_return report;
        const std::optional<Tweak> tweak = engine->registry().tweak(it.key());
        if (!tweak)
            continue;
        ++report.attempted;
        const TweakValue value = it.value();
        // Each value's own outcome: the engine's last error is cleared by the next success, so it
        // cannot tell afterwards which values failed.
        const Status applied = co_await engine->applyValue(value, *tweak);
        if (!applied)
            report.failures.append({tweak->id, tweak->title, applied.error()});
    }
    if (guard)
        co_await engine->restartPending();
    co_return report;
}

} // namespace velmora
