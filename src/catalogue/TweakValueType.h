#pragma once

#include <QHashFunctions>
#include <QString>

#include <optional>

namespace velmora {

/// The declared type of a preference, and the case of a `TweakValue`. The raw values are
/// "bool", "int", "double" and "string"; the first three names are C++ keywords, hence the
/// trailing underscore.
enum class TweakValueType { bool_, int_, double_, string };

QString rawValue(TweakValueType type);

inline size_t qHash(TweakValueType type, size_t seed = 0) noexcept
{
    return ::qHash(static_cast<int>(type), seed);
}

} // namespace velmora
