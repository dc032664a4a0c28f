#include "UpdaterManager.h"

#include "FeedUpdater.h"
#include "FrameworkUpdater.h"
#include "platform/Platform.h"

namespace velmora {

namespace {

std::unique_ptr<Updater> systemUpdater(Platform &platform, UpdateAlerts *alerts)
{
    // Where the system has an update framework it does the checking, even when it turns out to be
    // unusable: the bundle was built to update through it, and the appcast alone cannot install.
    if (UpdateFramework *framework = platform.updateFramework())
        return std::make_unique<FrameworkUpdater>(*framework, platform.workspace());
    auto updater = std::make_unique<FeedUpdater>(platform);
    updater->setAlerts(alerts);
    return updater;
}

} // namespace

UpdaterManager::UpdaterManager(Platform &platform, UpdateAlerts *alerts, QObject *parent)
    : UpdaterManager(systemUpdater(platform, alerts), parent)
{
}

UpdaterManager::UpdaterManager(std::unique_ptr<Updater> updater, QObject *parent)
    : QObject(parent), m_updater(std::move(updater))
{
    m_updater->start();
}

UpdaterManager::~UpdaterManager() = default;

} // namespace velmora
