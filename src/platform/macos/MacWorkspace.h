#pragma once

#include "platform/Workspace.h"

namespace velmora {

/// The system's workspace: file icons as the Finder shows them, opening URLs, the alert sound and
/// the system log.
class MacWorkspace : public Workspace {
public:
    QImage iconForFile(const QString &path, int side) const override;
    Status openURL(const QUrl &url) override;
    void playAlertSound() override;
    void log(const QString &line) override;
};

} // namespace velmora
