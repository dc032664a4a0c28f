#pragma once

#include "platform/DisplayService.h"

namespace velmora {

/// The system's screens and their desktop pictures. Screens are listed in the system's order (the
/// primary screen, with the menu bar, first); a display handed back is found again by its display
/// number. AppKit wants these calls on the main thread, where the window's code makes them.
class MacDisplayService : public DisplayService {
public:
    QList<Display> displays() const override;
    std::optional<Display> mainDisplay() const override;
    std::optional<QString> desktopImagePath(const Display &display) const override;
    QVariantMap desktopImageOptions(const Display &display) const override;
    Status setDesktopImage(const QString &path, const Display &display, const QVariantMap &options) override;
};

} // namespace velmora
