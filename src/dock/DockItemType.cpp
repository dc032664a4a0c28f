#include "DockItemType.h"

#include "common/EnumText.h"

namespace velmora {

QString rawValue(DockItemType type)
{
    return enumText(type);
}

std::optional<DockItemType> dockItemTypeFromRawValue(const QString &raw)
{
    return enumFromText<DockItemType>(raw);
}

} // namespace velmora
