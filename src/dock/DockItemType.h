#pragma once

#include <QString>

#include <optional>

namespace velmora {

/// The kind of a tile in the Dock's others part (after the separator). The raw value is what the
/// payload's JSON stores.
enum class DockItemType { app, folder, url, spacer, smallSpacer };

QString rawValue(DockItemType type);
std::optional<DockItemType> dockItemTypeFromRawValue(const QString &raw);

} // namespace velmora
