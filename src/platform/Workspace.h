#pragma once

#include "common/Result.h"

#include <QImage>
#include <QString>
#include <QUrl>

#include <algorithm>

namespace velmora {

/// The desktop's workspace services.
class Workspace {
public:
    /// The largest icon side drawn; larger requests get this size.
    static constexpr int maxIconSide = 1024;
    /// The side an icon request is drawn at: at least 1, at most `maxIconSide`.
    static int iconSide(int requested) { return std::clamp(requested, 1, maxIconSide); }

    virtual ~Workspace() = default;

    /// The icon the desktop shows for a file or bundle, `side` pixels square: an application's own
    /// icon when its bundle has a readable one, else the generic icon of its kind. It reads files,
    /// so views call it off the window's thread; safe to call from any thread.
    virtual QImage iconForFile(const QString &path, int side) const = 0;
    /// Opens a URL in the application that handles it (a settings page, a web page).
    virtual Status openURL(const QUrl &url) = 0;
    /// The system's alert sound.
    virtual void playAlertSound() = 0;
    /// One line in the system log.
    virtual void log(const QString &line) = 0;
};

} // namespace velmora
