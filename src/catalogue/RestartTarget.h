#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>

#include <optional>

namespace velmora {

/// A process that must be restarted for a change to show. The raw value is the process name
/// handed to `killall`; declaration order is the order restarts are carried out in.
enum class RestartTarget { dock, finder, systemUIServer, controlCenter, cfprefsd };

QString rawValue(RestartTarget target);
std::optional<RestartTarget> restartTargetFromRawValue(const QString &raw);
const QList<RestartTarget> &allRestartTargets();

inline size_t qHash(RestartTarget target, size_t seed = 0) noexcept
{
    return ::qHash(static_cast<int>(target), seed);
}

} // namespace velmora
