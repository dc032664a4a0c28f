#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>

#include <optional>

namespace velmora {

/// The colour of a category's badge; the views map each case to the system colour of that name.
enum class CategoryTint { blue, indigo, purple, pink, red, orange, yellow, green, teal, mint, brown, gray };

QString rawValue(CategoryTint tint);
std::optional<CategoryTint> categoryTintFromRawValue(const QString &raw);
const QList<CategoryTint> &allCategoryTints();

inline size_t qHash(CategoryTint tint, size_t seed = 0) noexcept
{
    return ::qHash(static_cast<int>(tint), seed);
}

} // namespace velmora
