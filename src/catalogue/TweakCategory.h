#pragma once

#include "CategoryTint.h"

#include <QHash>
#include <QString>

namespace velmora {

/// One sidebar category. Categories are listed by ascending `order`.
struct TweakCategory {
    QString id;
    QString title;
    QString symbol; ///< name of the system symbol drawn in the category's badge
    CategoryTint tint = CategoryTint::blue;
    int order = 0;

    friend bool operator==(const TweakCategory &, const TweakCategory &) = default;
};

inline size_t qHash(const TweakCategory &c, size_t seed = 0) noexcept
{
    return qHashMulti(seed, c.id, c.title, c.symbol, c.tint, c.order);
}

} // namespace velmora
