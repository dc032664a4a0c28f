#include "FuzzTargets.h"

#include "dock/DockPreferences.h"
#include "dock/DockTiles.h"
#include "plist/PropertyList.h"

namespace velmora::fuzz {

namespace {

// The Dock reads an array of tiles all or nothing: anything but an array of dictionaries is no tiles.
QList<QVariantMap> tilesOf(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return {};
    QList<QVariantMap> tiles;
    for (const QVariant &element : value.toList()) {
        if (element.typeId() != QMetaType::QVariantMap)
            return {};
        tiles.append(element.toMap());
    }
    return tiles;
}

QList<DockAppEntry> appsOf(const QVariant &value)
{
    QList<DockAppEntry> apps;
    for (const QVariantMap &tile : tilesOf(value)) {
        if (std::optional<DockAppEntry> entry = parseAppTile(tile)) {
            // The format writes no empty bundle identifier; a tile that held one reads back without.
            if (entry->bundleIdentifier && entry->bundleIdentifier->isEmpty())
                entry->bundleIdentifier.reset();
            apps.append(*entry);
        }
    }
    return apps;
}

QList<DockOtherEntry> othersOf(const QVariant &value)
{
    QList<DockOtherEntry> others;
    for (const QVariantMap &tile : tilesOf(value)) {
        if (std::optional<DockOtherEntry> entry = parseOtherTile(tile))
            others.append(*entry);
    }
    return others;
}

[[noreturn]] void fail(const QString &what)
{
    const QByteArray message = what.toUtf8();
    fuzzFailure("dock_tiles", message.constData());
}

void checkApps(const QVariant &present)
{
    const QList<DockAppEntry> apps = appsOf(present);
    const QVariantList written = DockPreferences::appTiles(apps, present);
    if (written.size() != tilesOf(present).size())
        fail(QStringLiteral("writing back the applications read turned %1 tiles into %2")
                 .arg(tilesOf(present).size())
                 .arg(written.size()));
    const QList<DockAppEntry> reread = appsOf(written);
    if (reread.size() != apps.size())
        fail(QStringLiteral("%1 applications were written back, %2 read again")
                 .arg(apps.size())
                 .arg(reread.size()));
    for (qsizetype i = 0; i < apps.size(); ++i) {
        if (reread[i] != apps[i])
            fail(QStringLiteral("written back and read again, application %1 (%2, %3) became (%4, %5)")
                     .arg(i)
                     .arg(apps[i].urlText(), apps[i].label, reread[i].urlText(), reread[i].label));
    }
}

void checkOthers(const QVariant &present)
{
    const QList<DockOtherEntry> others = othersOf(present);
    const QVariantList written = DockPreferences::otherTiles(others, present);
    const QList<DockOtherEntry> reread = othersOf(written);
    if (reread.size() != others.size())
        fail(QStringLiteral("%1 tiles of the others part were written back, %2 read again")
                 .arg(others.size())
                 .arg(reread.size()));
    for (qsizetype i = 0; i < others.size(); ++i) {
        if (!reread[i].sameTileAs(others[i]))
            fail(QStringLiteral(
                     "written back and read again, tile %1 of the others part (%2, %3) became (%4, %5)")
                     .arg(i)
                     .arg(others[i].urlText(), others[i].label, reread[i].urlText(), reread[i].label));
    }
}

} // namespace

int fuzzDockTiles(const uint8_t *data, size_t size)
{
    const Result<QVariant> plist = PropertyList::parse(inputBytes(data, size));
    if (!plist)
        return 0;
    if (plist->typeId() == QMetaType::QVariantMap) {
        const QVariantMap dock = plist->toMap();
        checkApps(dock.value(DockPreferences::appsKey()));
        checkOthers(dock.value(DockPreferences::othersKey()));
    } else {
        checkApps(*plist);
        checkOthers(*plist);
    }
    return 0;
}

} // namespace velmora::fuzz
