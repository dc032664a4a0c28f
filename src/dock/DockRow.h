#pragma once

#include <QString>

namespace velmora {

/// What one row of the Dock editor's lists shows: an application in the Dock, an installed
/// application to add, or a tile of the others part. The list models build it from an element and
/// hand it out as roles (`DockRowListModel::Role`); the delegate reads it back from them.
struct DockRow {
    enum class Icon { file, folderSymbol, linkSymbol, appSymbol, spacerBar, smallSpacerBar };
    enum class Action { remove, add };

    Icon icon = Icon::file;
    Action action = Action::remove;
    QString title;
    /// The item's file path (a link's address), or empty.
    QString path;
    /// A folder's display mode ("Display as: Stack"), or empty.
    QString detail;
    /// The file whose icon the row shows, for `Icon::file`.
    QString iconPath;
    /// Spacers show their label in the secondary colour.
    bool secondaryTitle = false;
    /// Padding above and below the row: 2 points, none for spacers.
    int verticalPadding = 2;
};

} // namespace velmora
