// The applications of the simulated Mac and the Dock that shows some of them.

#include "SimulatedSeed.h"

#include "SimulatedRoot.h"
#include "preferences/PropertyList.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace velmora {

namespace {

struct SeedApp {
    const char *folder; // Mac path of the folder holding the bundle
    const char *name;   // bundle folder name without ".app"
    const char *identifier;
    const char *version;
    bool binaryInfo; // real bundles come with both XML and binary Info.plist files
};

const SeedApp kApps[] = {
    {"/Applications", "Safari", "com.apple.Safari", "18.1", true},
    {"/Applications", "Xcode", "com.apple.dt.Xcode", "16.1", false},
    {"/Applications/Utilities", "Terminal", "com.apple.Terminal", "2.14", false},
    {"/System/Applications", "Mail", "com.apple.mail", "16.0", true},
    {"/System/Applications", "Notes", "com.apple.Notes", "4.11", false},
    {"/System/Applications", "Calendar", "com.apple.iCal", "15.0", false},
    {"/System/Applications", "Music", "com.apple.Music", "1.5", true},
    {"/System/Applications", "TextEdit", "com.apple.TextEdit", "1.19", false},
    {"/System/Applications", "System Settings", "com.apple.systempreferences", "15.0", false},
    {"/System/Applications/Utilities", "Activity Monitor", "com.apple.ActivityMonitor", "10.14", false},
};

// A Dock tile for an application, shaped like the ones the Dock writes. Paths in the simulated Mac's
// preferences are paths on this machine, inside the root, so the app can open what they name.
QVariantMap appTile(const SimulatedRoot &root, const SeedApp &app, qint64 guid)
{
    const QString macPath = root.path() + QString::fromUtf8(app.folder) + QLatin1Char('/') +
                            QString::fromUtf8(app.name) + QStringLiteral(".app/");
    return QVariantMap{
        {"GUID", guid},
        {"tile-type", "file-tile"},
        {"tile-data",
         QVariantMap{
             {"bundle-identifier", QString::fromUtf8(app.identifier)},
             {"dock-extra", false},
             {"file-data",
              QVariantMap{{"_CFURLString", QUrl::fromLocalFile(macPath).toString(QUrl::FullyEncoded)},
                          {"_CFURLStringType", qint64(15)}}},
             {"file-label", QString::fromUtf8(app.name)},
             {"file-mod-date", qint64(3786123456)},
             {"file-type", qint64(41)},
             {"is-beta", false},
             {"parent-mod-date", qint64(3786123000)},
         }},
    };
}

} // namespace

Status SimulatedSeed::seedApplications() const
{
    for (const SeedApp &app : kApps) {
        const QString name = QString::fromUtf8(app.name);
        const QString bundle =
            m_root.path() + QString::fromUtf8(app.folder) + QLatin1Char('/') + name + QStringLiteral(".app");
        const QVariantMap info{
            {"CFBundleDevelopmentRegion", "en"},
            {"CFBundleExecutable", name},
            {"CFBundleIconFile", "AppIcon"},
            {"CFBundleIdentifier", QString::fromUtf8(app.identifier)},
            {"CFBundleInfoDictionaryVersion", "6.0"},
            {"CFBundleName", name},
            {"CFBundlePackageType", "APPL"},
            {"CFBundleShortVersionString", QString::fromUtf8(app.version)},
            {"CFBundleVersion", QString::fromUtf8(app.version)},
            {"LSMinimumSystemVersion", "14.0"},
        };
        const Status status =
            writePlistIfMissing(bundle + QStringLiteral("/Contents/Info.plist"), info,
                                app.binaryInfo ? PropertyList::Format::binary : PropertyList::Format::xml);
        if (!status)
            return status;
        if (!QDir().mkpath(bundle + QStringLiteral("/Contents/MacOS")))
            return Status::failure(QStringLiteral("Could not create %1").arg(bundle));
    }
    return Status::success();
}

Status SimulatedSeed::seedDock() const
{
    const auto binary = PropertyList::Format::binary;
    QVariantList persistentApps;
    qint64 guid = 1732000001;
    for (const SeedApp &app : kApps) {
        const QString id = QString::fromUtf8(app.identifier);
        if (id == QLatin1String("com.apple.Safari") || id == QLatin1String("com.apple.mail") ||
            id == QLatin1String("com.apple.Notes") || id == QLatin1String("com.apple.Music") ||
            id == QLatin1String("com.apple.systempreferences"))
            persistentApps.append(appTile(m_root, app, guid++));
    }
    const QString downloads = m_root.home() + QStringLiteral("/Downloads/");
    const QVariantList persistentOthers{QVariantMap{
        {"GUID", guid++},
        {"tile-type", "directory-tile"},
        {"tile-data",
         QVariantMap{
             {"arrangement", qint64(2)},
             {"displayas", qint64(0)},
             {"file-data",
              QVariantMap{{"_CFURLString", QUrl::fromLocalFile(downloads).toString(QUrl::FullyEncoded)},
                          {"_CFURLStringType", qint64(15)}}},
             {"file-label", "Downloads"},
             {"file-type", qint64(2)},
             {"preferreditemsize", qint64(-1)},
             {"showas", qint64(1)},
         }},
    }};

    const QVariantMap dock{
        {"autohide", false},
        {"largesize", qint64(64)},
        {"magnification", false},
        {"mineffect", "genie"},
        {"mod-count", qint64(42)},
        {"orientation", "bottom"},
        {"persistent-apps", persistentApps},
        {"persistent-others", persistentOthers},
        {"recent-apps", QVariantList()},
        {"show-recents", true},
        {"tilesize", qint64(48)},
        {"version", qint64(1)},
    };
    return writePlistIfMissing(*m_root.domainFile(QStringLiteral("com.apple.dock")), dock, binary);
}

} // namespace velmora
