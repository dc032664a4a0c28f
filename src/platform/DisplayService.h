#pragma once

#include "common/Result.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace velmora {

/// One connected display as the platform describes it.
struct Display {
    /// The platform's device description; the display number is under "NSScreenNumber" (an unsigned
    /// 32-bit number), and may be missing.
    QVariantMap deviceDescription;
    QString name;
    /// Position and size in points.
    QRect frame;
};

/// Displays and their desktop pictures.
class DisplayService {
public:
    /// Option keys handed with every desktop picture.
    static QString scalingKey() { return QStringLiteral("NSWorkspaceDesktopImageScalingKey"); }
    static QString allowClippingKey() { return QStringLiteral("NSWorkspaceDesktopImageAllowClippingKey"); }

    virtual ~DisplayService() = default;

    /// In the platform's order.
    virtual QList<Display> displays() const = 0;
    /// The display holding the window with keyboard focus; none when there is no display.
    virtual std::optional<Display> mainDisplay() const = 0;

    /// The picture currently set on a display, as a file path; none when it has none.
    virtual std::optional<QString> desktopImagePath(const Display &display) const = 0;
    /// The options the current picture of a display was set with (scaling and clipping keys).
    virtual QVariantMap desktopImageOptions(const Display &display) const = 0;
    /// Sets a display's picture. Fails with the platform's own description (a file that is not an
    /// image it can decode, a display that is gone).
    virtual Status setDesktopImage(const QString &path, const Display &display,
                                   const QVariantMap &options) = 0;
};

} // namespace velmora
