#pragma once

#include "Updater.h"

namespace velmora {

class UpdateFramework;
class Workspace;

/// The updater of systems with an update framework: "Check for Updates…" hands the check to the
/// framework, which shows its own windows. A framework that is missing or does not start leaves
/// the item disabled, and the reason goes to the system log once, at start.
class FrameworkUpdater : public Updater {
    Q_OBJECT

public:
    /// `framework` and `workspace` must outlive the updater.
    FrameworkUpdater(UpdateFramework &framework, Workspace &workspace, QObject *parent = nullptr);

    void start() override;
    bool canCheckForUpdates() const override;
    void checkForUpdates() override;

private:
    UpdateFramework &m_framework;
    Workspace &m_workspace;
    bool m_startAttempted = false;
    bool m_started = false;
};

} // namespace velmora
