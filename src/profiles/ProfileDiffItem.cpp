#include "ProfileDiffItem.h"

#include "engine/TweakEngine.h"
#include "engine/TweakHandler.h"

#include <QCollator>

#include <algorithm>

namespace velmora {

QList<ProfileDiffItem> computeItems(const Profile &profile, TweakEngine &engine)
{
    engine.refreshAll();
    QList<ProfileDiffItem> items;
    for (auto it = profile.values.cbegin(); it != profile.values.cend(); ++it) {
        const std::optional<Tweak> tweak = engine.registry().tweak(it.key());
        if (!tweak)
            continue;
        ProfileDiffItem item;
        item.id = tweak->id;
        item.title = tweak->title;
        item.categoryID = tweak->categoryID;
        const auto current = engine.currentValues().constFind(it.key());
        if (current != engine.currentValues().cend())
            item.currentValue = *current;
        item.newValue = it.value();
        if (item.currentValue) {
            const TweakHandler *handler = engine.handlerFor(*tweak);
            item.sameState = handler ? handler->valuesEquivalent(*item.currentValue, item.newValue)
                                     : *item.currentValue == item.newValue;
        }
        items.append(item);
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(),
                     [&collator](const ProfileDiffItem &a, const ProfileDiffItem &b) {
                         return collator.compare(a.title, b.title) < 0;
                     });
    return items;
}

} // namespace velmora
