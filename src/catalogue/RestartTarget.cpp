#include "RestartTarget.h"

namespace velmora {

QString rawValue(RestartTarget target)
{
    switch (target) {
    case RestartTarget::dock: return QStringLiteral("Dock");
    case RestartTarget::finder: return QStringLiteral("Finder");
    case RestartTarget::systemUIServer: return QStringLiteral("SystemUIServer");
    case RestartTarget::controlCenter: return QStringLiteral("ControlCenter");
    case RestartTarget::cfprefsd: return QStringLiteral("cfprefsd");
    }
    Q_UNREACHABLE();
    return QString();
}

std::optional<RestartTarget> restartTargetFromRawValue(const QString &raw)
{
    for (RestartTarget target : allRestartTargets()) {
        if (rawValue(target) == raw)
            return target;
    }
    return std::nullopt;
}

const QList<RestartTarget> &allRestartTargets()
{
    static const QList<RestartTarget> all = {RestartTarget::dock, RestartTarget::finder,
                                             RestartTarget::systemUIServer, RestartTarget::controlCenter,
                                             RestartTarget::cfprefsd};
    return all;
}

} // namespace velmora
