#pragma once

#include "SimulatedRoot.h"
#include "platform/DisplayService.h"

#include <QByteArray>
#include <QMutex>

namespace velmora {

/// The simulated Mac's displays and their desktop pictures.
///
/// The displays are described in `.simulated/displays.json`, an array in the platform's order; each
/// object has "name", "x", "y", "width", "height" (points), "main" (the display holding the focused
/// window; the first when none says so) and usually "number", the display number. A display without
/// "number" is possible, as on a real Mac. Edit the file to connect or remove displays; a root
/// without the file has the two default displays. Each display's picture, scaling code and clipping
/// flag are kept in `.simulated/desktop-pictures.json`.
class SimulatedDisplayService : public DisplayService {
public:
    explicit SimulatedDisplayService(SimulatedRoot root) : m_root(std::move(root)) {}

    QString displaysFile() const;
    QString picturesFile() const;

    /// The displays a fresh root gets: a "Built-in Retina Display" (main) and an external display.
    static QByteArray defaultDisplaysJson();

    QList<Display> displays() const override;
    std::optional<Display> mainDisplay() const override;
    std::optional<QString> desktopImagePath(const Display &display) const override;
    QVariantMap desktopImageOptions(const Display &display) const override;
    Status setDesktopImage(const QString &path, const Display &display, const QVariantMap &options) override;

private:
    struct Described {
        Display display;
        bool main = false;
        QString key; ///< where its picture is kept
    };
    QList<Described> described() const;
    /// Reports a damaged displays file, unless this same problem was the last one reported; an
    /// empty problem (the file reads well again) re-arms the warning.
    void warnOnce(const QString &problem) const;
    /// The entry of a display handed back by a caller; none when it is no longer connected.
    std::optional<Described> find(const Display &display) const;

    SimulatedRoot m_root;
    mutable QMutex m_warningLock;
    mutable QString m_warnedProblem;
};

} // namespace velmora
