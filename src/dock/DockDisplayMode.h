#pragma once

#include <QtGlobal>

#include <optional>

namespace velmora {

/// How the Dock shows a folder tile: its "displayas" number. A tile may carry a number the Dock does
/// not define; entries keep the number as read, and this names the ones it does.
enum class DockDisplayMode : qint64 {
    stack = 0,
    folder = 1,
    automatic = 2,
};

/// The named mode of a "displayas" number; nothing for one the Dock does not define.
inline std::optional<DockDisplayMode> dockDisplayMode(qint64 displayAs)
{
    switch (static_cast<DockDisplayMode>(displayAs)) {
    case DockDisplayMode::stack:
    case DockDisplayMode::folder:
    case DockDisplayMode::automatic: return static_cast<DockDisplayMode>(displayAs);
    }
    return std::nullopt;
}

} // namespace velmora
