// The applications of the simulated Mac and the Dock that shows some of them.

#include "SimulatedSeed.h"

#include "IcnsFile.h"
#include "SimulatedRoot.h"
#include "plist/PropertyList.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

namespace velmora {

namespace {

enum class InfoForm { xml, binary, none };
// Real bundles name their icon file with or without its extension, and a few have none.
enum class IconForm { icns, icnsWithExtension, none };

struct SeedApp {
    const char *folder;      // Mac path of the folder holding the bundle ("~" is the home folder)
    const char *fileName;    // bundle folder name without ".app"
    const char *bundleName;  // CFBundleName
    const char *displayName; // CFBundleDisplayName, or nullptr
    const char *identifier;
    const char *version;
    InfoForm info; // real bundles come with XML and binary Info.plist files, and a few with none
    IconForm icon;
    QRgb colour; // of the drawn icon
};

// Twenty-six bundles across the five application folders, plus two the scan must not find.
const SeedApp kApps[] = {
    {"/Applications", "Safari", "Safari", "Safari", "com.apple.Safari", "18.1", InfoForm::binary,
     IconForm::icnsWithExtension, 0x1E88E5},
    {"/Applications", "Xcode", "Xcode", nullptr, "com.apple.dt.Xcode", "16.1", InfoForm::xml,
     IconForm::icnsWithExtension, 0x2D9CDB},
    {"/Applications", "Firefox", "Firefox", "Firefox", "org.mozilla.firefox", "132.0", InfoForm::xml,
     IconForm::icnsWithExtension, 0xFF7139},
    {"/Applications", "Slack", "Slack", nullptr, "com.tinyspeck.slackmacgap", "4.41.97", InfoForm::binary,
     IconForm::icnsWithExtension, 0x611F69},
    {"/Applications", "iTerm", "iTerm2", nullptr, "com.googlecode.iterm2", "3.5.10", InfoForm::xml,
     IconForm::icns, 0x333333},
    {"/Applications", "Visual Studio Code", "Code", "Visual Studio Code", "com.microsoft.VSCode", "1.95.3",
     InfoForm::binary, IconForm::icnsWithExtension, 0x007ACC},
    {"/Applications", "Pages", "Pages", nullptr, "com.apple.iWork.Pages", "14.2", InfoForm::xml,
     IconForm::icnsWithExtension, 0xFF9F0A},
    {"/Applications", "Keynote", "Keynote", nullptr, "com.apple.iWork.Keynote", "14.2", InfoForm::xml,
     IconForm::icns, 0x0A84FF},
    {"/Applications", "Übersicht", "Übersicht", nullptr, "tracesOf.Uebersicht", "1.6.77", InfoForm::xml,
     IconForm::icnsWithExtension, 0x8E44AD},
    // A bundle that lost its information dictionary: listed under its file name, without an identifier.
    {"/Applications", "Legacy Uploader", nullptr, nullptr, nullptr, nullptr, InfoForm::none, IconForm::none,
     0},
    {"/Applications/Utilities", "Terminal", "Terminal", nullptr, "com.apple.Terminal", "2.14", InfoForm::xml,
     IconForm::icnsWithExtension, 0x2B2B2B},
    {"/Applications/Utilities", "Disk Utility", "Disk Utility", "Disk Utility", "com.apple.DiskUtility",
     "22.6", InfoForm::binary, IconForm::icns, 0x8E8E93},
    {"/Applications/Utilities", "Console", "Console", nullptr, "com.apple.Console", "1.1", InfoForm::xml,
     IconForm::none, 0},
    {"/System/Applications", "Mail", "Mail", nullptr, "com.apple.mail", "16.0", InfoForm::binary,
     IconForm::icnsWithExtension, 0x3C9CFF},
    {"/System/Applications", "Notes", "Notes", nullptr, "com.apple.Notes", "4.11", InfoForm::xml,
     IconForm::icnsWithExtension, 0xFFD60A},
    {"/System/Applications", "Calendar", "Calendar", nullptr, "com.apple.iCal", "15.0", InfoForm::xml,
     IconForm::icnsWithExtension, 0xFF3B30},
    {"/System/Applications", "Music", "Music", nullptr, "com.apple.Music", "1.5", InfoForm::binary,
     IconForm::icnsWithExtension, 0xFA2D48},
    {"/System/Applications", "TextEdit", "TextEdit", nullptr, "com.apple.TextEdit", "1.19", InfoForm::xml,
     IconForm::icns, 0xF2F2F7},
    {"/System/Applications", "System Settings", "System Settings", "System Settings",
     "com.apple.systempreferences", "15.0", InfoForm::xml, IconForm::icnsWithExtension, 0x8E8E93},
    {"/System/Applications", "Maps", "MapsApp", "Maps", "com.apple.Maps", "3.0", InfoForm::binary,
     IconForm::icnsWithExtension, 0x34C759},
    {"/System/Applications", "Photos", "Photos", nullptr, "com.apple.Photos", "10.0", InfoForm::xml,
     IconForm::icnsWithExtension, 0xFF9500},
    {"/System/Applications", "Messages", "Messages", nullptr, "com.apple.MobileSMS", "14.0", InfoForm::binary,
     IconForm::icnsWithExtension, 0x30D158},
    {"/System/Applications/Utilities", "Activity Monitor", "Activity Monitor", nullptr,
     "com.apple.ActivityMonitor", "10.14", InfoForm::xml, IconForm::icnsWithExtension, 0x1C1C1E},
    {"/System/Applications/Utilities", "Screenshot", "Screenshot", nullptr, "com.apple.screenshot.launcher",
     "1.0", InfoForm::binary, IconForm::icns, 0x636366},
    {"~/Applications", "Hacker News", "HN Reader", "Hacker News", "com.google.Chrome.app.hnreader", "1.0",
     InfoForm::xml, IconForm::icnsWithExtension, 0xFF6600},
    {"~/Applications", "Tasks", "Tasks", nullptr, "com.example.tasks", "2.3.1", InfoForm::binary,
     IconForm::icnsWithExtension, 0x5856D6},
    // Two the scan must not find: one a level down, one whose extension is not exactly "app".
    {"/Applications/Chrome Apps", "Artifact Hub", "Artifact Hub", nullptr,
     "com.google.Chrome.app.artifacthub", "1.0", InfoForm::xml, IconForm::icnsWithExtension, 0x417598},
    {"/Applications", "Archive Helper.APP", "Archive Helper", nullptr, "com.example.archivehelper", "0.9",
     InfoForm::xml, IconForm::none, 0},
};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString bundlePath(const SimulatedRoot &root, const SeedApp &app)
{
    QString folder = text(app.folder);
    folder = folder.startsWith(QLatin1Char('~')) ? root.home() + folder.mid(1) : root.path() + folder;
    const QString name = text(app.fileName);
    return folder + QLatin1Char('/') + name +
           (name.endsWith(QLatin1String(".APP")) ? QString() : QStringLiteral(".app"));
}

// A small application icon: a rounded square in the app's colour with a light disc, drawn rather
// than shipped, at the sides the bundle's icon file holds.
QImage iconImage(QRgb colour, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 128.0, side / 128.0);
    const QRectF r(8, 8, 112, 112);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, QColor(colour).lighter(125));
    fill.setColorAt(1.0, QColor(colour));
    QPainterPath shape;
    shape.addRoundedRect(r, 26, 26);
    p.fillPath(shape, fill);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(r.center(), 26, 26);
    return image;
}

QByteArray iconFile(QRgb colour)
{
    return IcnsFile::encode({iconImage(colour, 128), iconImage(colour, 256)});
}

QString urlText(const QString &path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

// An opaque stand-in for the bookmark data the Dock keeps with each tile.
QByteArray bookmark(const QString &path)
{
    QByteArray bytes("book");
    bytes.append(QByteArray(4, '\0'));
    bytes.append(path.toUtf8());
    return bytes;
}

// A Dock tile for an application, shaped like the ones the Dock writes. Paths in the simulated Mac's
// preferences are paths on this machine, inside the root, so the app can open what they name.
QVariantMap appTile(const SimulatedRoot &root, const SeedApp &app, qint64 guid)
{
    const QString path = bundlePath(root, app) + QLatin1Char('/');
    return QVariantMap{
        {QStringLiteral("GUID"), guid},
        {QStringLiteral("tile-type"), QStringLiteral("file-tile")},
        {QStringLiteral("tile-data"),
         QVariantMap{
             {QStringLiteral("book"), bookmark(path)},
             {QStringLiteral("bundle-identifier"), text(app.identifier)},
             {QStringLiteral("dock-extra"), false},
             {QStringLiteral("file-data"), QVariantMap{{QStringLiteral("_CFURLString"), urlText(path)},
                                                       {QStringLiteral("_CFURLStringType"), qint64(15)}}},
             {QStringLiteral("file-label"), text(app.displayName ? app.displayName : app.bundleName)},
             {QStringLiteral("file-mod-date"), qint64(3786123456)},
             {QStringLiteral("file-type"), qint64(41)},
             {QStringLiteral("is-beta"), false},
             {QStringLiteral("parent-mod-date"), qint64(3786123000)},
         }},
    };
}

const SeedApp *seedApp(const char *identifier)
{
    for (const SeedApp &app : kApps) {
        if (app.identifier && qstrcmp(app.identifier, identifier) == 0)
            return &app;
    }
    return nullptr;
}

} // namespace

Status SimulatedSeed::seedApplications() const
{
    for (const SeedApp &app : kApps) {
        const QString bundle = bundlePath(m_root, app);
        if (!QDir().mkpath(bundle + QStringLiteral("/Contents/MacOS")))
            return Status::failure(QStringLiteral("Could not create %1").arg(bundle));
        if (app.info == InfoForm::none)
            continue;
        const QString bundleName = text(app.bundleName);
        QVariantMap info{
            {QStringLiteral("BuildMachineOSBuild"), QStringLiteral("23C71")},
            {QStringLiteral("CFBundleDevelopmentRegion"), QStringLiteral("en")},
            {QStringLiteral("CFBundleExecutable"), bundleName},
            {QStringLiteral("CFBundleIdentifier"), text(app.identifier)},
            {QStringLiteral("CFBundleInfoDictionaryVersion"), QStringLiteral("6.0")},
            {QStringLiteral("CFBundleName"), bundleName},
            {QStringLiteral("CFBundlePackageType"), QStringLiteral("APPL")},
            {QStringLiteral("CFBundleShortVersionString"), text(app.version)},
            {QStringLiteral("CFBundleSignature"), QStringLiteral("????")},
            {QStringLiteral("CFBundleSupportedPlatforms"), QVariantList{QStringLiteral("MacOSX")}},
            {QStringLiteral("CFBundleVersion"), text(app.version)},
            {QStringLiteral("LSApplicationCategoryType"), QStringLiteral("public.app-category.productivity")},
            {QStringLiteral("LSMinimumSystemVersion"), QStringLiteral("14.0")},
            {QStringLiteral("NSHighResolutionCapable"), true},
            {QStringLiteral("NSPrincipalClass"), QStringLiteral("NSApplication")},
        };
        if (app.displayName)
            info.insert(QStringLiteral("CFBundleDisplayName"), text(app.displayName));
        if (app.icon != IconForm::none)
            info.insert(QStringLiteral("CFBundleIconFile"), app.icon == IconForm::icns
                                                                ? QStringLiteral("AppIcon")
                                                                : QStringLiteral("AppIcon.icns"));
        const Status status = writePlistIfMissing(bundle + QStringLiteral("/Contents/Info.plist"), info,
                                                  app.info == InfoForm::binary ? PropertyList::Format::binary
                                                                               : PropertyList::Format::xml);
        if (!status)
            return status;
        Status icon = Status::success();
        if (app.icon != IconForm::none)
            icon = writeIfMissing(bundle + QStringLiteral("/Contents/Resources/AppIcon.icns"),
                                  iconFile(app.colour));
        if (!icon)
            return icon;
    }
    return Status::success();
}

Status SimulatedSeed::seedDock() const
{
    const auto binary = PropertyList::Format::binary;
    QVariantList persistentApps;
    qint64 guid = 1732000001;
    for (const char *identifier :
         {"com.apple.Safari", "com.apple.mail", "com.apple.Notes", "spacer", "com.apple.Music",
          "com.tinyspeck.slackmacgap", "com.apple.systempreferences"}) {
        if (qstrcmp(identifier, "spacer") == 0) {
            // Spacers among the applications, as the Dock stores them: no GUID, an empty label.
            persistentApps.append(
                QVariantMap{{QStringLiteral("tile-data"),
                             QVariantMap{{QStringLiteral("file-label"), QStringLiteral("")}}},
                            {QStringLiteral("tile-type"), QStringLiteral("spacer-tile")}});
            continue;
        }
        persistentApps.append(appTile(m_root, *seedApp(identifier), guid++));
    }

    const QString downloads = m_root.home() + QStringLiteral("/Downloads/");
    const QVariantList persistentOthers{
        QVariantMap{
            {QStringLiteral("GUID"), guid++},
            {QStringLiteral("tile-type"), QStringLiteral("directory-tile")},
            {QStringLiteral("tile-data"),
             QVariantMap{
                 {QStringLiteral("arrangement"), qint64(2)},
                 {QStringLiteral("book"), bookmark(downloads)},
                 {QStringLiteral("displayas"), qint64(0)},
                 {QStringLiteral("file-data"),
                  QVariantMap{{QStringLiteral("_CFURLString"), urlText(downloads)},
                              {QStringLiteral("_CFURLStringType"), qint64(15)}}},
                 {QStringLiteral("file-label"), QStringLiteral("Downloads")},
                 {QStringLiteral("file-mod-date"), qint64(3786120000)},
                 {QStringLiteral("file-type"), qint64(2)},
                 {QStringLiteral("is-beta"), false},
                 {QStringLiteral("parent-mod-date"), qint64(3786110000)},
                 {QStringLiteral("preferreditemsize"), qint64(-1)},
                 {QStringLiteral("showas"), qint64(1)},
             }},
        },
        QVariantMap{
            {QStringLiteral("tile-data"), QVariantMap{{QStringLiteral("file-label"), QStringLiteral("")}}},
            {QStringLiteral("tile-type"), QStringLiteral("small-spacer-tile")}},
        QVariantMap{
            {QStringLiteral("GUID"), guid++},
            {QStringLiteral("tile-type"), QStringLiteral("url-tile")},
            {QStringLiteral("tile-data"),
             QVariantMap{
                 {QStringLiteral("file-data"),
                  QVariantMap{{QStringLiteral("_CFURLString"),
                               QStringLiteral("https://developer.apple.com/documentation/")},
                              {QStringLiteral("_CFURLStringType"), qint64(15)}}},
                 {QStringLiteral("file-label"), QStringLiteral("Developer Documentation")},
             }},
        },
    };

    const QVariantMap dock{
        {QStringLiteral("autohide"), false},
        {QStringLiteral("largesize"), qint64(64)},
        {QStringLiteral("magnification"), false},
        {QStringLiteral("mineffect"), QStringLiteral("genie")},
        {QStringLiteral("mod-count"), qint64(42)},
        {QStringLiteral("orientation"), QStringLiteral("bottom")},
        {QStringLiteral("persistent-apps"), persistentApps},
        {QStringLiteral("persistent-others"), persistentOthers},
        {QStringLiteral("recent-apps"), QVariantList()},
        {QStringLiteral("show-recents"), true},
        {QStringLiteral("tilesize"), qint64(48)},
        {QStringLiteral("version"), qint64(1)},
    };
    return writePlistIfMissing(*m_root.domainFile(QStringLiteral("com.apple.dock")), dock, binary);
}

} // namespace velmora
