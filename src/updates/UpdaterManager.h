#pragma once

#include <QObject>

#include <memory>

namespace velmora {

class Platform;
class UpdateAlerts;
class Updater;

/// Holds the application's one updater for the life of the application and starts it when made.
class UpdaterManager : public QObject {
    Q_OBJECT

public:
    /// This system's updater, showing its windows through `alerts` (which must outlive it). On a Mac
    /// that is the update framework's standard updater; elsewhere `FeedUpdater`.
    UpdaterManager(Platform &platform, UpdateAlerts *alerts, QObject *parent = nullptr);
    /// A given updater, started here.
    explicit UpdaterManager(std::unique_ptr<Updater> updater, QObject *parent = nullptr);
    ~UpdaterManager() override;

    Updater &updater() const { return *m_updater; }

private:
    std::unique_ptr<Updater> m_updater;
};

} // namespace velmora
