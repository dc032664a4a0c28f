#pragma once

#include <QIcon>

namespace velmora {

/// Velmora's own icon, drawn from the SVG in the application's resources at the sizes the window
/// title, the tray, dialogs and the About box ask for.
namespace AppIcon {

/// The icon, drawn at each size when that size is first asked for. Needs a GUI application.
QIcon icon();

} // namespace AppIcon

} // namespace velmora
