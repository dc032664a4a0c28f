#include "FeedUpdater.h"

#include "AppVersion.h"
#include "Appcast.h"
#include "UpdateAlerts.h"
#include "common/MessageText.h"
#include "platform/OperatingSystem.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroSignal>
#include <QDateTime>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QtConcurrent>

#include <algorithm>

#ifndef VELMORA_UPDATE_FEED_URL
#define VELMORA_UPDATE_FEED_URL "https://corrandelwick.dev/velmora/appcast.xml"
#endif

namespace velmora {

namespace {

const QString kFeedURLKey = QStringLiteral("SUFeedURL");
const QString kAutomaticChecksKey = QStringLiteral("SUEnableAutomaticChecks");
const QString kIntervalKey = QStringLiteral("SUScheduledCheckInterval");
const QString kLastCheckKey = QStringLiteral("SULastCheckTime");

constexpr qint64 kDefaultInterval = 24 * 60 * 60;
constexpr qint64 kMinimumInterval = 60 * 60;

bool isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

QString seconds(std::chrono::milliseconds duration)
{
    const double value = double(duration.count()) / 1000.0;
    return value == 1.0 ? QStringLiteral("1 second") : QStringLiteral("%1 seconds").arg(value);
}

} // namespace

QUrl FeedUpdater::defaultFeedURL()
{
    return QUrl(QStringLiteral(VELMORA_UPDATE_FEED_URL));
}

Result<QUrl> FeedUpdater::feedURL(const PreferenceStore &preferences)
{
    const QVariant setting = preferences.copyAppValue(kFeedURLKey, Platform::applicationIdentifier());
    QUrl url = defaultFeedURL();
    if (setting.isValid()) {
        const QString text =
            setting.typeId() == QMetaType::QString ? setting.toString().trimmed() : QString();
        url = QUrl(text, QUrl::StrictMode);
        if (!isWebAddress(url))
            return Result<QUrl>::failure(
                tr("The update feed address in Velmora's settings (SUFeedURL) is not an https address: "
                   "\u201C%1\u201D.")
                    .arg(setting.typeId() == QMetaType::QString ? setting.toString() : tr("not a text")));
    }
    // Whoever sits on the network path of a plain-http feed chooses what "Download" fetches.
    if (!Appcast::isSecureAddress(url))
        return Result<QUrl>::failure(
            tr("The update feed at %1 uses plain HTTP: the feed must use HTTPS.").arg(url.toDisplayString()));
    return url;
}

FeedUpdater::FeedUpdater(Platform &platform, QObject *parent)
    : Updater(parent), m_platform(platform), m_network(new QNetworkAccessManager(this)),
      m_currentVersion(QStringLiteral(VELMORA_VERSION))
{
    m_schedule.setSingleShot(true);
    connect(&m_schedule, &QTimer::timeout, this,
            [this] { QCoro::connect(runScheduledCheck(), this, [] {}); });
}

FeedUpdater::~FeedUpdater()
{
    // The reply belongs to the network manager, a child: it goes with this object, and the check
    // waiting for it never resumes.
    m_schedule.stop();
}

void FeedUpdater::start()
{
    if (m_started)
        return;
    m_started = true;
    emit canCheckForUpdatesChanged(canCheckForUpdates());
    scheduleNextCheck();
}

void FeedUpdater::checkForUpdates()
{
    if (!canCheckForUpdates())
        return;
    // Runs to its first suspension at once, so `canCheckForUpdates` is false when this returns.
    QCoro::connect(runUserCheck(), this, [] {});
}

void FeedUpdater::cancelCheck()
{
    if (!m_checking)
        return;
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
}

void FeedUpdater::setChecking(bool checking)
{
    if (m_checking == checking)
        return;
    m_checking = checking;
    emit canCheckForUpdatesChanged(canCheckForUpdates());
}

QCoro::Task<UpdateCheckResult> FeedUpdater::check()
{
    UpdateCheckResult result;
    result.currentVersion = m_currentVersion;
    if (m_checking) {
        result.error = tr("A check for updates is already running.");
        co_return result;
    }
    const Result<QUrl> url = feedURL(m_platform.preferences());
    if (!url) {
        result.error = url.error();
        co_return result;
    }

    m_cancelled = false;
    setChecking(true);
    QPointer<FeedUpdater> self(this);
    const Result<QByteArray> body = co_await fetch(*url);
    if (!self)
        co_return result;

    Result<QList<AppcastItem>> items;
    if (body && !m_cancelled) {
        // A feed is small, but reading it is still no work for the window's thread.
        items = co_await QtConcurrent::run(&Appcast::parse, *body, *url);
        if (!self)
            co_return result;
    }
    setChecking(false);

    if (m_cancelled) {
        result.outcome = UpdateCheckResult::Outcome::cancelled;
        co_return result;
    }
    // A check that reached the server counts as done, whatever it found; the schedule starts over.
    m_platform.preferences().setAppValue(kLastCheckKey, QDateTime::currentDateTimeUtc(),
                                         Platform::applicationIdentifier());
    m_platform.preferences().synchronize(Platform::applicationIdentifier());

    if (!body) {
        result.error = body.error();
        co_return result;
    }
    if (!items) {
        result.error = tr("The update feed at %1 could not be read: %2")
                           .arg(url->toDisplayString(), endedAsSentence(items.error()));
        co_return result;
    }
    // A Mac whose version cannot be learnt is offered what the feed offers anyone, rather than
    // nothing at all: roots made before the simulated Mac had a SystemVersion.plist still update.
    const Result<QString> systemVersion = m_platform.operatingSystem().productVersion();
    const std::optional<AppcastItem> newest =
        Appcast::newestItem(*items, systemVersion ? *systemVersion : QString());
    // Compared in the framework's order (running version first), so a feed decides the same here.
    if (newest && AppVersion::compare(AppVersion(m_currentVersion), AppVersion(newest->version)) < 0) {
        result.outcome = UpdateCheckResult::Outcome::updateAvailable;
        result.item = *newest;
    } else {
        result.outcome = UpdateCheckResult::Outcome::upToDate;
        if (newest)
            result.item = *newest;
    }
    co_return result;
}

QCoro::Task<Result<QByteArray>> FeedUpdater::fetch(QUrl url)
{
    using Body = Result<QByteArray>;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Velmora/" VELMORA_VERSION));

    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    bool timedOut = false;
    bool tooLarge = false;
    // The whole answer must arrive in time: a server that accepts the connection and then says
    // nothing would otherwise keep the check (and the disabled menu item) waiting for ever.
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, reply, [reply, &timedOut] {
        timedOut = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, &tooLarge](qint64 received, qint64 total) {
                if (received > maximumFeedSize || total > maximumFeedSize) {
                    tooLarge = true;
                    reply->abort();
                }
            });
    deadline.start(m_timeout);

    QPointer<FeedUpdater> self(this);
    if (!reply->isFinished())
        co_await qCoro(reply, &QNetworkReply::finished);
    if (!self)
        co_return Body::failure(QString());
    deadline.stop();
    reply->deleteLater();
    m_reply = nullptr;

    const QString where = url.toDisplayString();
    if (m_cancelled)
        co_return Body::failure(tr("The check was cancelled."));
    if (timedOut)
        co_return Body::failure(
            tr("The update server at %1 did not answer within %2.").arg(where, seconds(m_timeout)));
    if (tooLarge)
        co_return Body::failure(tr("The update feed at %1 is larger than %2 MB, too large to be a feed.")
                                    .arg(where)
                                    .arg(maximumFeedSize / (1024 * 1024)));
    if (reply->error() != QNetworkReply::NoError)
        co_return Body::failure(tr("The update feed could not be fetched from %1: %2")
                                    .arg(where, endedAsSentence(reply->errorString())));
    // A loopback feed may redirect over plain http too; it must not lead off this machine.
    if (!Appcast::isSecureAddress(reply->url()))
        co_return Body::failure(tr("The update feed at %1 redirects to %2, which is not HTTPS: the feed "
                                   "must use HTTPS.")
                                    .arg(where, reply->url().toDisplayString()));
    co_return reply->readAll();
}

QCoro::Task<void> FeedUpdater::runUserCheck()
{
    QPointer<FeedUpdater> self(this);
    if (m_alerts)
        m_alerts->showChecking([self] {
            if (self)
                self->cancelCheck();
        });
    const UpdateCheckResult result = co_await check();
    if (!self)
        co_return;
    if (m_schedule.isActive())
        scheduleNextCheck();
    if (!m_alerts)
        co_return;
    m_alerts->hideChecking();
    switch (result.outcome) {
    case UpdateCheckResult::Outcome::upToDate: m_alerts->showUpToDate(result); break;
    case UpdateCheckResult::Outcome::updateAvailable: m_alerts->showUpdateAvailable(result); break;
    case UpdateCheckResult::Outcome::failed: m_alerts->showError(result); break;
    case UpdateCheckResult::Outcome::cancelled: break;
    }
}

QCoro::Task<void> FeedUpdater::runScheduledCheck()
{
    QPointer<FeedUpdater> self(this);
    if (canCheckForUpdates()) {
        const UpdateCheckResult result = co_await check();
        if (!self)
            co_return;
        // A check nobody asked for speaks only when there is something new; a failure waits for
        // the next one.
        if (result.outcome == UpdateCheckResult::Outcome::updateAvailable && m_alerts)
            m_alerts->showUpdateAvailable(result);
    }
    scheduleNextCheck(true);
}

void FeedUpdater::scheduleNextCheck(bool afterAttempt)
{
    m_schedule.stop();
    const PreferenceStore &preferences = m_platform.preferences();
    const QString app = Platform::applicationIdentifier();
    const QVariant enabled = preferences.copyAppValue(kAutomaticChecksKey, app);
    if (enabled.typeId() != QMetaType::Bool || !enabled.toBool())
        return;
    qint64 interval = kDefaultInterval;
    const QVariant setting = preferences.copyAppValue(kIntervalKey, app);
    bool ok = false;
    if (const qint64 value = setting.toLongLong(&ok); ok && setting.typeId() != QMetaType::QString)
        interval = std::max(value, kMinimumInterval);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime last = preferences.copyAppValue(kLastCheckKey, app).toDateTime();
    qint64 delay = 0;
    if (afterAttempt)
        delay = interval * 1000;
    else if (last.isValid() && last <= now)
        delay = std::max<qint64>(0, now.msecsTo(last.addSecs(interval)));
    // QTimer counts in int milliseconds (about 24 days).
    m_schedule.start(int(std::min<qint64>(delay, std::numeric_limits<int>::max())));
}

} // namespace velmora
