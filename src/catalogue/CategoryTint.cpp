#include "CategoryTint.h"

namespace velmora {

QString rawValue(CategoryTint tint)
{
    switch (tint) {
    case CategoryTint::blue: return QStringLiteral("blue");
    case CategoryTint::indigo: return QStringLiteral("indigo");
    case CategoryTint::purple: return QStringLiteral("purple");
    case CategoryTint::pink: return QStringLiteral("pink");
    case CategoryTint::red: return QStringLiteral("red");
    case CategoryTint::orange: return QStringLiteral("orange");
    case CategoryTint::yellow: return QStringLiteral("yellow");
    case CategoryTint::green: return QStringLiteral("green");
    case CategoryTint::teal: return QStringLiteral("teal");
    case CategoryTint::mint: return QStringLiteral("mint");
    case CategoryTint::brown: return QStringLiteral("brown");
    case CategoryTint::gray: return QStringLiteral("gray");
    }
    Q_UNREACHABLE();
    return QString();
}

std::optional<CategoryTint> categoryTintFromRawValue(const QString &raw)
{
    for (CategoryTint tint : allCategoryTints()) {
        if (rawValue(tint) == raw)
            return tint;
    }
    return std::nullopt;
}

const QList<CategoryTint> &allCategoryTints()
{
    static const QList<CategoryTint> all = {CategoryTint::blue,   CategoryTint::indigo, CategoryTint::purple,
                                            CategoryTint::pink,   CategoryTint::red,    CategoryTint::orange,
                                            CategoryTint::yellow, CategoryTint::green,  CategoryTint::teal,
                                            CategoryTint::mint,   CategoryTint::brown,  CategoryTint::gray};
    return all;
}

} // namespace velmora
