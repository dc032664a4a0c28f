#include "FrameworkUpdater.h"

#include "platform/PlatformMessages.h"
#include "platform/UpdateFramework.h"
#include "platform/Workspace.h"

namespace velmora {

FrameworkUpdater::FrameworkUpdater(UpdateFramework &framework, Workspace &workspace, QObject *parent)
    : Updater(parent), m_framework(framework), m_workspace(workspace)
{
}

void FrameworkUpdater::start()
{
    // Once: a framework that failed to start is not retried, nor its reason logged again.
    if (m_startAttempted)
        return;
    m_startAttempted = true;
    if (const std::optional<QString> reason = m_framework.unavailableReason()) {
        m_workspace.log(*reason);
        return;
    }
    const Status started = m_framework.start();
    if (!started) {
        m_workspace.log(PlatformMessages::updaterNotStarted(started.error()));
        return;
    }
    m_started = true;
    emit canCheckForUpdatesChanged(canCheckForUpdates());
}

bool FrameworkUpdater::canCheckForUpdates() const
{
    return m_started && m_framework.canCheckForUpdates();
}

void FrameworkUpdater::checkForUpdates()
{
    if (canCheckForUpdates())
        m_framework.checkForUpdates();
}

} // namespace velmora
