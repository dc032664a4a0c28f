#include "ProfileDiffItem.h"

#include "engine/TweakEngine.h"

#include <QCollator>
#include <QPointer>

#include <algorithm>

namespace velmora {

QCoro::Task<QList<ProfileDiffItem>> computeItems(Profile profile, TweakEngine *engine)
{
    QPointer<TweakEngine> guard(engine);
    // The profile's values are what the state likely holds: a picture carried in it and still set
    // here is then held once, not twice.
    QHash<QString, TweakValue> likely;
    for (auto it = profile.values.cbegin(); it != profile.values.cend(); ++it)
        likely.insert(it.key(), it.value());
    co_await engine->refreshAll(std::move(likely));
    if (!guard)
        co_return QList<ProfileDiffItem>();
    QList<ProfileDiffItem> items;
    for (auto it = profile.values.cbegin(); it != profile.values.cend(); ++it) {
        const std::optional<Tweak> tweak = engine->registry().tweak(it.key());
        if (!tweak)
            continue;
        ProfileDiffItem item;
        item.id = tweak->id;
        item.title = tweak->title;
        item.categoryID = tweak->categoryID;
        const auto current = engine->currentValues().constFind(it.key());
        if (current != engine->currentValues().cend())
            item.currentValue = *current;
        item.newValue = it.value();
        if (item.currentValue) {
            item.sameState = co_await engine->sameState(*tweak, *item.currentValue, item.newValue);
            if (!guard)
                co_return QList<ProfileDiffItem>();
        }
        items.append(item);
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(),
                     [&collator](const ProfileDiffItem &a, const ProfileDiffItem &b) {
                         return collator.compare(a.title, b.title) < 0;
                     });
    co_return items;
}

} // namespace velmora
