#include "RestorePoint.h"

#include "catalogue/TweakRegistry.h"

namespace velmora {

Profile RestorePoint::reviewProfile() const
{
    Profile shown = profile;
    for (const QString &id : notSet) {
        if (const std::optional<Tweak> tweak = TweakRegistry::shared().tweak(id))
            shown.values.insert(id, tweak->defaultValue);
    }
    return shown;
}

} // namespace velmora
