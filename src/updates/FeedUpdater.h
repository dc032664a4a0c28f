#pragma once

#include "UpdateCheckResult.h"
#include "Updater.h"
#include "common/Result.h"

#include <QCoro/QCoroTask>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace velmora {

class Platform;
class PreferenceStore;
class UpdateAlerts;

/// The updater of systems without an update framework: it reads an RSS appcast over HTTPS (plain
/// http only from this machine), picks the newest release this Mac can run by the framework's own
/// rules (`Appcast`, `AppVersion`), and shows the result through `UpdateAlerts`. It cannot install;
/// "Download" opens the release in the browser.
///
/// Settings, in the application's own defaults: "SUFeedURL" (the feed; a build-time address
/// otherwise), "SUEnableAutomaticChecks" (check on a schedule, off unless set to true),
/// "SUScheduledCheckInterval" (seconds between scheduled checks, at least an hour, a day unless
/// set) and "SULastCheckTime" (written after each check).
class FeedUpdater : public Updater {
    Q_OBJECT

public:
    /// The feed address the application was built with.
    static QUrl defaultFeedURL();
    /// The feed to read: "SUFeedURL" from the application's defaults, else the build's default. A
    /// setting that is not a web address is an error, not silently replaced; so is a plain-http feed
    /// anywhere but on this machine.
    static Result<QUrl> feedURL(const PreferenceStore &preferences);
    /// Feeds larger than this are refused.
    static constexpr qint64 maximumFeedSize = 4 * 1024 * 1024;

    explicit FeedUpdater(Platform &platform, QObject *parent = nullptr);
    ~FeedUpdater() override;

    /// Where results are shown; nothing is shown without it.
    void setAlerts(UpdateAlerts *alerts) { m_alerts = alerts; }
    /// The running version (the build's version unless set).
    const QString &currentVersion() const { return m_currentVersion; }
    void setCurrentVersion(const QString &version) { m_currentVersion = version; }
    /// How long the feed's server may take to deliver it (30 seconds unless set).
    std::chrono::milliseconds timeout() const { return m_timeout; }
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    void start() override;
    bool isStarted() const { return m_started; }
    bool canCheckForUpdates() const override { return m_started && !m_checking; }
    void checkForUpdates() override;
    /// Stops a running check; it ends as cancelled and shows nothing.
    void cancelCheck();
    /// Whether a scheduled check is waiting for its time, and how long it still waits.
    bool isCheckScheduled() const { return m_schedule.isActive(); }
    std::chrono::milliseconds timeUntilScheduledCheck() const { return m_schedule.remainingTimeAsDuration(); }

    /// Reads the feed and compares its newest release with the running version; shows nothing.
    /// While it runs, `canCheckForUpdates` is false.
    QCoro::Task<UpdateCheckResult> check();

private:
    QCoro::Task<void> runUserCheck();
    QCoro::Task<void> runScheduledCheck();
    QCoro::Task<Result<QByteArray>> fetch(QUrl url);
    /// Schedules the next check from the last one's time, or a whole interval from now after a
    /// scheduled attempt (so a check that fails at once cannot run again at once).
    void scheduleNextCheck(bool afterAttempt = false);
    void setChecking(bool checking);

    Platform &m_platform;
    UpdateAlerts *m_alerts = nullptr;
    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer m_schedule;
    QString m_currentVersion;
    std::chrono::milliseconds m_timeout{30000};
    bool m_started = false;
    bool m_checking = false;
    bool m_cancelled = false;
};

} // namespace velmora
