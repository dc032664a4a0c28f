#pragma once

#include "SimulatedRoot.h"
#include "platform/Workspace.h"

namespace velmora {

/// The simulated Mac's workspace: opened URLs, alert sounds and log lines are appended to logs in the
/// root, where tests and curious users can read them.
class SimulatedWorkspace : public Workspace {
public:
    explicit SimulatedWorkspace(SimulatedRoot root) : m_root(std::move(root)) {}

    QImage iconForFile(const QString &path, int side) const override;
    Status openURL(const QUrl &url) override;
    void playAlertSound() override;
    void log(const QString &line) override;

private:
    Status appendLine(const QString &file, const QString &line) const;

    SimulatedRoot m_root;
};

} // namespace velmora
