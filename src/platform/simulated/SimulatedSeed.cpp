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

Status writeIfMissing(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo::exists(path))
        return Status::success();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Status::failure(QStringLiteral("Could not create the folder of %1").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
    return Status::success();
}

Status writePlistIfMissing(const QString &path, const QVariant &value, PropertyList::Format format)
{
    if (QFileInfo::exists(path))
        return Status::success();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Status::failure(QStringLiteral("Could not create the folder of %1").arg(path));
    return PropertyList::writeFile(path, value, format);
}

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

Status SimulatedSeed::plant() const
{
    for (auto step : {&SimulatedSeed::layOutFolders, &SimulatedSeed::seedApplications,
                      &SimulatedSeed::seedPreferences, &SimulatedSeed::seedPrivacyDatabase}) {
        const Status status = (this->*step)();
        if (!status)
            return status;
    }
    return Status::success();
}

Status SimulatedSeed::layOutFolders() const
{
    const QString root = m_root.path();
    const QStringList folders = {
        root + "/Applications/Utilities",
        root + "/System/Applications/Utilities",
        root + "/Library/Application Support/com.apple.TCC",
        root + "/Library/Desktop Pictures",
        root + "/Library/Preferences",
        m_root.home() + "/Applications",
        m_root.home() + "/Desktop",
        m_root.home() + "/Documents",
        m_root.home() + "/Downloads",
        m_root.home() + "/Pictures/Screenshots",
        m_root.preferencesFolder() + "/ByHost",
        m_root.applicationSupport(),
        m_root.stateFolder(),
    };
    for (const QString &folder : folders) {
        if (!QDir().mkpath(folder))
            return Status::failure(QStringLiteral("Could not create the folder %1").arg(folder));
    }
    return Status::success();
}

Status SimulatedSeed::seedApplications() const
{
    for (const SeedApp &app : kApps) {
        const QString name = QString::fromUtf8(app.name);
        const QString bundle = m_root.path() + QString::fromUtf8(app.folder) + QLatin1Char('/') + name +
                               QStringLiteral(".app");
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

Status SimulatedSeed::seedPreferences() const
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
    const QVariantMap finder{
        {"FXPreferredViewStyle", "Nlsv"},
        {"ShowPathbar", true},
        {"ShowStatusBar", false},
        {"_FXSortFoldersFirst", true},
    };
    const QVariantMap global{
        {"AppleInterfaceStyle", "Dark"},
        {"AppleLanguages", QVariantList{"en-GB", "en"}},
        {"AppleLocale", "en_GB"},
        {"AppleMeasurementUnits", "Centimeters"},
        {"AppleMetricUnits", true},
        {"AppleShowScrollBars", "Automatic"},
        {"KeyRepeat", qint64(2)},
        {"InitialKeyRepeat", qint64(15)},
        {"com.apple.mouse.scaling", 1.5},
        {"com.apple.sound.beep.volume", 0.6065306597},
        {"com.apple.swipescrolldirection", true},
    };
    const QVariantMap screencapture{
        {"location", m_root.home() + QStringLiteral("/Pictures/Screenshots")},
        {"show-thumbnail", true},
        {"type", "png"},
    };
    const QVariantMap universalAccess{
        {"mouseDriverCursorSize", 1.0},
        {"reduceMotion", false},
        {"reduceTransparency", false},
    };
    const QVariantMap trackpad{
        {"Clicking", true},
        {"FirstClickThreshold", qint64(1)},
        {"TrackpadRightClick", true},
        {"TrackpadThreeFingerDrag", false},
    };
    const QVariantMap clock{
        {"DateFormat", "EEE d MMM HH:mm"},
        {"FlashDateSeparators", false},
    };

    const QList<std::pair<QString, QVariantMap>> domains = {
        {"com.apple.dock", dock},
        {"com.apple.finder", finder},
        {"com.apple.screencapture", screencapture},
        {"com.apple.universalaccess", universalAccess},
        {"com.apple.AppleMultitouchTrackpad", trackpad},
        {"com.apple.menuextra.clock", clock},
    };
    for (const auto &[domain, values] : domains) {
        const Status status = writePlistIfMissing(*m_root.domainFile(domain), values, binary);
        if (!status)
            return status;
    }
    return writePlistIfMissing(m_root.globalPreferencesFile(), global, binary);
}

Status SimulatedSeed::seedPrivacyDatabase() const
{
    // A present, readable database means Full Disk Access; the content is never looked at.
    QByteArray header("SQLite format 3");
    header.append('\0');
    header.append(QByteArray(84, '\0'));
    return writeIfMissing(m_root.privacyDatabase(), header);
}

} // namespace velmora
