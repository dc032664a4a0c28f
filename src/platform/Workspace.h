#pragma once

#include "common/Result.h"

#include <QIcon>
#include <QString>
#include <QUrl>

namespace velmora {

/// The desktop's workspace services.
class Workspace {
public:
    virtual ~Workspace() = default;

    /// The icon the desktop shows for a file or bundle.
    virtual QIcon iconForFile(const QString &path) const = 0;
    /// Opens a URL in the application that handles it (a settings page, a web page).
    virtual Status openURL(const QUrl &url) = 0;
    /// The system's alert sound.
    virtual void playAlertSound() = 0;
    /// One line in the system log.
    virtual void log(const QString &line) = 0;
};

} // namespace velmora
