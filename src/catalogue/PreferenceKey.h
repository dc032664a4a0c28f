#pragma once

#include "TweakValueType.h"

#include <QHash>
#include <QString>

#include <optional>

namespace velmora {

/// Where a tweak's value lives: a preference domain ("NSGlobalDomain" for the global one), a key
/// inside it, and the type the value is read and written as.
struct PreferenceKey {
    QString domain;
    QString key;
    TweakValueType type = TweakValueType::string;
    /// Set when the value is one entry of a dictionary kept under `key`: the system keeps the first
    /// day of the week per calendar (AppleFirstWeekday = { gregorian = 2; }) and ignores a plain
    /// number there. Writes change that entry alone and keep the other calendars' entries.
    std::optional<QString> dictionaryEntry = std::nullopt;

    friend bool operator==(const PreferenceKey &, const PreferenceKey &) = default;
};

inline size_t qHash(const PreferenceKey &k, size_t seed = 0) noexcept
{
    return qHashMulti(seed, k.domain, k.key, k.type, k.dictionaryEntry.value_or(QString()));
}

} // namespace velmora
