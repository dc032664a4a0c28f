#include "UpdaterManager.h"

#include "FeedUpdater.h"

namespace velmora {

namespace {

std::unique_ptr<Updater> systemUpdater(Platform &platform, UpdateAlerts *alerts)
{
    // The Mac backend (the update framework loaded at run time) joins here with the native platform.
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
