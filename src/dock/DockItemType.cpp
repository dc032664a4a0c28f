#include "DockItemType.h"

namespace velmora {

QString rawValue(DockItemType type)
{
    switch (type) {
    case DockItemType::app: return QStringLiteral("app");
    case DockItemType::folder: return QStringLiteral("folder");
    case DockItemType::url: return QStringLiteral("url");
    case DockItemType::spacer: return QStringLiteral("spacer");
    case DockItemType::smallSpacer: return QStringLiteral("smallSpacer");
    }
    Q_UNREACHABLE();
    return QString();
}

std::optional<DockItemType> dockItemTypeFromRawValue(const QString &raw)
{
    for (DockItemType type : {DockItemType::app, DockItemType::folder, DockItemType::url,
                              DockItemType::spacer, DockItemType::smallSpacer}) {
        if (rawValue(type) == raw)
            return type;
    }
    return std::nullopt;
}

} // namespace velmora
