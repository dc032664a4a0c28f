#include "DockPreferences.h"

#include "DockTiles.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"
#include "preferences/ShellRunner.h"

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QHash>
#include <QQueue>
#include <QSet>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace velmora {

namespace {

// The tiles of an array the way the Dock reads it: all or nothing.
QList<QVariantMap> tilesOf(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return {};
    QList<QVariantMap> tiles;
    const QVariantList list = value.toList();
    tiles.reserve(list.size());
    for (const QVariant &element : list) {
        if (element.typeId() != QMetaType::QVariantMap)
            return {};
        tiles.append(element.toMap());
    }
    return tiles;
}

QString appMatchKey(const DockAppEntry &entry)
{
    return entry.urlText();
}

QString otherMatchKey(const DockOtherEntry &entry)
{
    return rawValue(entry.itemType) + QLatin1Char('\n') + entry.urlText();
}

// The tiles of the present array waiting to lend their keys to entries that have none, by key, in
// Dock order.
using Lenders = QHash<QString, QQueue<QVariantMap>>;

DockWriteStatus writeArray(Platform *platform, QString key, QList<DockAppEntry> apps,
                           QList<DockOtherEntry> others, bool appsPart)
{
    PreferenceStore &store = platform->preferences();
    const QVariant present = store.copyAppValue(key, DockPreferences::domain());
    const QVariantList tiles =
        appsPart ? DockPreferences::appTiles(apps, present) : DockPreferences::otherTiles(others, present);
    const Status written = store.setAppValue(key, tiles, DockPreferences::domain());
    if (!written)
        return DockWriteStatus::failure(
            {DockWriteError::Stage::preference,
             QCoreApplication::translate("DockPreferences", "The Dock's preferences could not be written: %1")
                 .arg(written.error())});
    store.synchronize(DockPreferences::domain());
    return DockWriteStatus::success();
}

QCoro::Task<DockWriteStatus> writeThenRestart(Platform &platform, QString key, QList<DockAppEntry> apps,
                                              QList<DockOtherEntry> others, bool appsPart)
{
    QFuture<DockWriteStatus> future = QtConcurrent::run(&writeArray, &platform, std::move(key),
                                                        std::move(apps), std::move(others), appsPart);
    const DockWriteStatus written = co_await future;
    if (!written)
        co_return written;
    co_return co_await DockPreferences::killallDock(platform);
}

} // namespace

QList<DockAppEntry> DockPreferences::readApps(const Platform &platform)
{
    QList<DockAppEntry> apps;
    for (const QVariantMap &tile : tilesOf(platform.preferences().copyAppValue(appsKey(), domain()))) {
        if (std::optional<DockAppEntry> entry = parseAppTile(tile))
            apps.append(std::move(*entry));
    }
    return apps;
}

QList<DockOtherEntry> DockPreferences::readOthers(const Platform &platform)
{
    QList<DockOtherEntry> others;
    for (const QVariantMap &tile : tilesOf(platform.preferences().copyAppValue(othersKey(), domain()))) {
        if (std::optional<DockOtherEntry> entry = parseOtherTile(tile))
            others.append(std::move(*entry));
    }
    return others;
}

QVariantList DockPreferences::appTiles(const QList<DockAppEntry> &apps, const QVariant &present)
{
    // What the Dock holds now: the tiles that lend their keys, and the tiles without an entry with
    // the applications before them, nearest first (each an URL and which occurrence of that URL it
    // is). A tile follows the nearest of them still in the Dock, so removing the application a spacer
    // follows leaves the spacer where it was among the others.
    using Anchor = std::pair<QString, int>;
    struct Anchored {
        QList<Anchor> after;
        QVariantMap tile;
        bool placed = false;
    };
    Lenders lenders;
    QList<Anchored> unmodelled;
    QList<Anchor> previous;
    QHash<QString, int> seenBefore;
    for (const QVariantMap &tile : tilesOf(present)) {
        if (const std::optional<DockAppEntry> entry = parseAppTile(tile)) {
            const QString key = appMatchKey(*entry);
            lenders[key].enqueue(tile);
            previous.prepend(std::make_pair(key, seenBefore[key]++));
        } else {
            unmodelled.append({previous, tile});
        }
    }

    QSet<Anchor> kept;
    QHash<QString, int> counted;
    for (const DockAppEntry &app : apps) {
        const QString key = appMatchKey(app);
        kept.insert(std::make_pair(key, counted[key]++));
    }
    for (Anchored &item : unmodelled) {
        const auto survivor = std::find_if(item.after.cbegin(), item.after.cend(),
                                           [&kept](const Anchor &anchor) { return kept.contains(anchor); });
        item.after = survivor == item.after.cend() ? QList<Anchor>() : QList<Anchor>{*survivor};
    }

    QVariantList tiles;
    auto placeAfter = [&](const QList<Anchor> &anchor) {
        for (Anchored &item : unmodelled) {
            if (!item.placed && item.after == anchor) {
                tiles.append(item.tile);
                item.placed = true;
            }
        }
    };
    placeAfter({});
    QHash<QString, int> seen;
    for (const DockAppEntry &app : apps) {
        const QString key = appMatchKey(app);
        if (app.sourceTile.isEmpty() && !lenders.value(key).isEmpty()) {
            DockAppEntry lent = app;
            lent.sourceTile = lenders[key].dequeue();
            tiles.append(makeAppTile(lent));
        } else {
            tiles.append(makeAppTile(app));
        }
        placeAfter({std::make_pair(key, seen[key]++)});
    }
    return tiles;
}

QVariantList DockPreferences::otherTiles(const QList<DockOtherEntry> &others, const QVariant &present)
{
    Lenders lenders;
    for (const QVariantMap &tile : tilesOf(present)) {
        if (const std::optional<DockOtherEntry> entry = parseOtherTile(tile))
            lenders[otherMatchKey(*entry)].enqueue(tile);
    }
    QVariantList tiles;
    for (const DockOtherEntry &other : others) {
        const QString key = otherMatchKey(other);
        if (other.sourceTile.isEmpty() && !lenders.value(key).isEmpty()) {
            DockOtherEntry lent = other;
            lent.sourceTile = lenders[key].dequeue();
            tiles.append(makeOtherTile(lent));
        } else {
            tiles.append(makeOtherTile(other));
        }
    }
    return tiles;
}

QCoro::Task<DockWriteStatus> DockPreferences::writeApps(Platform &platform, QList<DockAppEntry> apps)
{
    return writeThenRestart(platform, appsKey(), std::move(apps), {}, true);
}

QCoro::Task<DockWriteStatus> DockPreferences::writeOthers(Platform &platform, QList<DockOtherEntry> others)
{
    return writeThenRestart(platform, othersKey(), {}, std::move(others), false);
}

QCoro::Task<DockWriteStatus> DockPreferences::killallDock(Platform &platform)
{
    const QString killall = platform.killallToolPath();
    const QStringList arguments{QStringLiteral("Dock")};
    const ShellRunner runner;
    const ShellRunner::RunResult result = co_await runner.run(killall, arguments);
    if (!result)
        co_return DockWriteStatus::failure({DockWriteError::Stage::restart, result.error().description()});
    co_return DockWriteStatus::success();
}

} // namespace velmora
