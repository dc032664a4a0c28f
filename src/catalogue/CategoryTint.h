#pragma once

#include <QHashFunctions>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace velmora {

// The enumeration lives in a namespace of its own so its meta-object, which gives each case its
// text, is this header's alone.
namespace CategoryTints {
Q_NAMESPACE

/// The colour of a category's badge; the views map each case to the system colour of that name,
/// which is also its text.
enum class CategoryTint { blue, indigo, purple, pink, red, orange, yellow, green, teal, mint, brown, gray };
Q_ENUM_NS(CategoryTint)

inline size_t qHash(CategoryTint tint, size_t seed = 0) noexcept
{
    return ::qHash(static_cast<int>(tint), seed);
}

} // namespace CategoryTints

using CategoryTint = CategoryTints::CategoryTint;

QString rawValue(CategoryTint tint);

} // namespace velmora
