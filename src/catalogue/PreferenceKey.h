#pragma once

#include "TweakValueType.h"

#include <QHash>
#include <QString>

namespace velmora {

/// Where a tweak's value lives: a preference domain ("NSGlobalDomain" for the global one), a key
/// inside it, and the type the value is read and written as.
struct PreferenceKey {
    QString domain;
    QString key;
    TweakValueType type = TweakValueType::string;

    friend bool operator==(const PreferenceKey &, const PreferenceKey &) = default;
};

inline size_t qHash(const PreferenceKey &k, size_t seed = 0) noexcept
{
    return qHashMulti(seed, k.domain, k.key, k.type);
}

} // namespace velmora
