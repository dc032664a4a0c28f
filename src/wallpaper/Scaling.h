#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace velmora {

// A namespace of its own, so the meta-object that names the cases is this header's alone.
namespace Scalings {
Q_NAMESPACE

/// How a desktop picture is fitted to its display. Listed in the order the editor offers them; the
/// stored text is the case's name.
enum class Scaling {
    fill,    ///< proportionally, up or down, covering the display
    fit,     ///< proportionally, down only
    stretch, ///< each axis on its own
    center,  ///< not scaled
};
Q_ENUM_NS(Scaling)

} // namespace Scalings

using Scaling = Scalings::Scaling;

/// Every mode, in the editor's order.
QList<Scaling> allScalings();

/// The text stored for a mode ("fill", "fit", "stretch", "center").
QString rawValue(Scaling scaling);
std::optional<Scaling> scalingFromRawValue(const QString &raw);

/// The number the desktop-picture service expects for a mode (its image-scaling enumeration):
/// fill 3, fit 0, stretch 1, center 2. Not the order of the cases.
quint64 platformScalingCode(Scaling scaling);
std::optional<Scaling> scalingFromPlatformCode(quint64 code);

} // namespace velmora
