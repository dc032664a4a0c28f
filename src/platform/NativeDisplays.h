#pragma once

#include "DisplayService.h"

#include <QRect>
#include <QRectF>

namespace velmora {

/// How the native display service describes the system's screens and finds them again.
namespace NativeDisplays {

/// The device description key of the display number.
QString numberKey();

/// A screen's frame as the system gives it (origin at the bottom left of the primary screen, y
/// growing upwards) in the top-left form of the seam and of Qt's screen geometry, whole points.
/// `primaryTop` is the top edge of the primary screen in the system's coordinates (its height).
QRect topLeftFrame(const QRectF &bottomLeftFrame, qreal primaryTop);

/// Whether a display handed back by a caller is this screen: by display number when both have one
/// (a screen keeps it when it moves or is renamed), else by name and frame.
bool sameDisplay(const Display &screen, const Display &asked);

} // namespace NativeDisplays

} // namespace velmora
