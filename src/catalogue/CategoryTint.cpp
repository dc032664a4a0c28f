#include "CategoryTint.h"

#include "common/EnumText.h"

namespace velmora {

QString rawValue(CategoryTint tint)
{
    return enumText(tint);
}

std::optional<CategoryTint> categoryTintFromRawValue(const QString &raw)
{
    return enumFromText<CategoryTint>(raw);
}

const QList<CategoryTint> &allCategoryTints()
{
    static const QList<CategoryTint> all = allEnumValues<CategoryTint>();
    return all;
}

} // namespace velmora
