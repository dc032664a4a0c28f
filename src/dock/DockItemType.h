#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace velmora {

// A namespace of its own, so the meta-object that names the cases is this header's alone.
namespace DockItemTypes {
Q_NAMESPACE

/// The kind of a tile in the Dock's others part (after the separator). The payload's JSON stores the
/// case's name.
enum class DockItemType { app, folder, url, spacer, smallSpacer };
Q_ENUM_NS(DockItemType)

} // namespace DockItemTypes

using DockItemType = DockItemTypes::DockItemType;

QString rawValue(DockItemType type);
std::optional<DockItemType> dockItemTypeFromRawValue(const QString &raw);

} // namespace velmora
