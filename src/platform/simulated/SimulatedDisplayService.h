#pragma once

#include "SimulatedRoot.h"
#include "platform/DisplayService.h"

namespace velmora {

/// The simulated Mac's displays, described in the root's `.simulated/displays.json`, and their desktop
/// pictures, kept in `.simulated/desktop-pictures.json`.
class SimulatedDisplayService : public DisplayService {
public:
    explicit SimulatedDisplayService(SimulatedRoot root) : m_root(std::move(root)) {}

    QString displaysFile() const;
    QString picturesFile() const;

    QList<Display> displays() const override;
    std::optional<Display> mainDisplay() const override;
    std::optional<QString> desktopImagePath(const Display &display) const override;
    QVariantMap desktopImageOptions(const Display &display) const override;
    Status setDesktopImage(const QString &path, const Display &display, const QVariantMap &options) override;

private:
    SimulatedRoot m_root;
};

} // namespace velmora
