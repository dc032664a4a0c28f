#include "RestorePoints.h"

#include "ProfileApplier.h"
#include "common/AtomicFile.h"
#include "engine/TweakEngine.h"
#include "platform/FileLocations.h"
#include "platform/Platform.h"
#include "plist/PropertyList.h"

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {

const QString kNotSetKey = QStringLiteral("notSetBefore");
const QString kPrefix = QStringLiteral("Restore Point ");

QString tr(const char *text)
{
    return QCoreApplication::translate("RestorePoints", text);
}

// Names sort as the points were taken: a moment in UTC to the millisecond, then a counter for two
// taken within one.
Result<QString> write(RestorePoint point, QString folder)
{
    if (!QDir().mkpath(folder))
        return Result<QString>::failure(tr("Could not make the folder %1.").arg(folder));
    QVariantMap plist = point.profile.toPropertyList();
    plist.insert(kNotSetKey, point.notSet);
    const Result<QByteArray> bytes = PropertyList::serialize(plist, PropertyList::Format::xml);
    if (!bytes)
        return Result<QString>::failure(bytes.error());
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmsszzz'Z'"));
    QString path;
    for (int n = 0; path.isEmpty() || QFile::exists(path); ++n)
        path = QStringLiteral("%1/%2%3-%4.plist").arg(folder, kPrefix, stamp).arg(n, 2, 10, QLatin1Char('0'));
    const Status written = AtomicFile::write(path, *bytes);
    if (!written)
        return Result<QString>::failure(written.error());
    const QStringList all = RestorePoints::paths(folder);
    for (qsizetype i = RestorePoints::kKept; i < all.size(); ++i)
        QFile::remove(all[i]);
    return path;
}

} // namespace

QString RestorePoints::folder(const FileLocations &locations)
{
    return locations.applicationSupport + QLatin1Char('/') + Platform::applicationIdentifier() +
           QStringLiteral("/Restore Points");
}

QCoro::Task<Result<ProfileApplyReport>>
RestorePoints::applyKeepingRestorePoint(TweakEngine *engine, Profile profile, QString appVersion)
{
    QPointer<TweakEngine> guard(engine);
    const Result<RestorePoint> point = co_await take(engine, profile, appVersion);
    if (!point)
        co_return Result<ProfileApplyReport>::failure(
            tr("Nothing was applied: the values it would change could not be kept to undo it (%1).")
                .arg(point.error()));
    if (!guard)
        co_return Result<ProfileApplyReport>::failure(
            tr("The application closed before the profile was applied."));
    co_return co_await applyProfile(engine, profile);
}

QCoro::Task<Result<RestorePoint>> RestorePoints::take(TweakEngine *engine, Profile profile,
                                                      QString appVersion)
{
    QPointer<TweakEngine> guard(engine);
    const Result<RestorePoint> gone =
        Result<RestorePoint>::failure(tr("The application closed before the restore point was kept."));
    RestorePoint point;
    point.profile.id = QUuid::createUuid();
    point.profile.name = tr("Before “%1”").arg(profile.name);
    point.profile.createdAt = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    point.profile.appVersion = appVersion.isEmpty() ? QStringLiteral("0.0.0") : appVersion;
    for (auto it = profile.values.cbegin(); it != profile.values.cend(); ++it) {
        const std::optional<Tweak> tweak = engine->registry().tweak(it.key());
        if (!tweak)
            continue;
        // Read now rather than taken from the review: the user may have changed something since.
        const std::optional<TweakValue> now = co_await engine->readValue(*tweak);
        if (!guard)
            co_return gone;
        if (!now) {
            // A handler that cannot read its state has nothing to put back; resetting it would be a
            // change of its own.
            if (!tweak->servedByHandler)
                point.notSet.append(tweak->id);
            continue;
        }
        const bool same = co_await engine->sameState(*tweak, *now, it.value());
        if (!guard)
            co_return gone;
        if (!same)
            point.profile.values.insert(tweak->id, *now);
    }
    // The desktop picture travels inside its value: tens of megabytes to encode and write.
    QFuture<Result<QString>> writing =
        QtConcurrent::run(&write, point, folder(engine->platform().fileLocations()));
    const Result<QString> path = co_await writing;
    if (!path)
        co_return Result<RestorePoint>::failure(path.error());
    point.path = *path;
    co_return point;
}

QStringList RestorePoints::paths(const QString &folder)
{
    QDir dir(folder);
    QStringList names =
        dir.entryList({kPrefix + QStringLiteral("*.plist")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (QString &name : names)
        name = dir.filePath(name);
    return names;
}

std::optional<Result<RestorePoint>> RestorePoints::latest(const QString &folder)
{
    const QStringList all = paths(folder);
    if (all.isEmpty())
        return std::nullopt;
    return read(all.first());
}

Result<RestorePoint> RestorePoints::read(const QString &path)
{
    const Result<QVariant> plist = PropertyList::readFile(path);
    if (!plist)
        return Result<RestorePoint>::failure(plist.error());
    Result<Profile> profile = Profile::fromPropertyList(*plist);
    if (!profile)
        return Result<RestorePoint>::failure(profile.error());
    RestorePoint point;
    point.path = path;
    point.profile = std::move(profile).value();
    for (const QVariant &id : plist->toMap().value(kNotSetKey).toList()) {
        if (id.typeId() == QMetaType::QString)
            point.notSet.append(id.toString());
    }
    return point;
}

QCoro::Task<ProfileApplyReport> RestorePoints::undo(TweakEngine *engine, RestorePoint point)
{
    QPointer<TweakEngine> guard(engine);
    qsizetype resets = 0;
    for (const QString &id : std::as_const(point.notSet)) {
        const std::optional<Tweak> tweak = engine->registry().tweak(id);
        if (!tweak)
            continue;
        co_await engine->reset(*tweak);
        if (!guard)
            co_return ProfileApplyReport();
        ++resets;
    }
    // Restarts what the resets recorded too, once.
    ProfileApplyReport report = co_await applyProfile(engine, point.profile);
    report.attempted += resets;
    if (report.ok())
        QFile::remove(point.path);
    co_return report;
}

} // namespace velmora
