#pragma once

#include "TweakValue.h"

#include <QHash>
#include <QString>

namespace velmora {

/// One choice of a picker: the value written when it is picked, and its label. The label is the
/// option's identity, so labels within one picker are distinct.
struct TweakOption {
    TweakValue value;
    QString label;

    const QString &id() const { return label; }

    friend bool operator==(const TweakOption &, const TweakOption &) = default;
};

inline size_t qHash(const TweakOption &o, size_t seed = 0) noexcept
{
    return qHashMulti(seed, o.value, o.label);
}

} // namespace velmora
