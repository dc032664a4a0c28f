#include "SimulatedSeed.h"

#include "SimulatedRoot.h"
#include "common/AtomicFile.h"
#include "plist/PropertyList.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace velmora {

Status SimulatedSeed::writeIfMissing(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo::exists(path))
        return Status::success();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Status::failure(QStringLiteral("Could not create the folder of %1").arg(path));
    const Status written = AtomicFile::write(path, bytes);
    if (!written)
        return Status::failure(QStringLiteral("Could not write %1").arg(written.error()));
    return written;
}

Status SimulatedSeed::writePlistIfMissing(const QString &path, const QVariant &value,
                                          PropertyList::Format format)
{
    if (QFileInfo::exists(path))
        return Status::success();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Status::failure(QStringLiteral("Could not create the folder of %1").arg(path));
    return PropertyList::writeFile(path, value, format);
}

Status SimulatedSeed::plant() const
{
    for (auto step :
         {&SimulatedSeed::layOutFolders, &SimulatedSeed::seedSystemVersion, &SimulatedSeed::seedApplications,
          &SimulatedSeed::seedDock, &SimulatedSeed::seedPreferences, &SimulatedSeed::seedDesktopPictures}) {
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
        root + QStringLiteral("/Applications/Utilities"),
        root + QStringLiteral("/System/Applications/Utilities"),
        root + QStringLiteral("/Library/Application Support/com.apple.TCC"),
        root + QStringLiteral("/Library/Desktop Pictures"),
        root + QStringLiteral("/Library/Preferences"),
        m_root.home() + QStringLiteral("/Applications"),
        m_root.home() + QStringLiteral("/Desktop"),
        m_root.home() + QStringLiteral("/Documents"),
        m_root.home() + QStringLiteral("/Downloads"),
        m_root.home() + QStringLiteral("/Pictures/Screenshots"),
        m_root.preferencesFolder() + QStringLiteral("/ByHost"),
        m_root.applicationSupport(),
        m_root.stateFolder(),
    };
    for (const QString &folder : folders) {
        if (!QDir().mkpath(folder))
            return Status::failure(QStringLiteral("Could not create the folder %1").arg(folder));
    }
    return Status::success();
}

Status SimulatedSeed::seedSystemVersion() const
{
    // A current release, written as XML like the real file; update feeds compare their items'
    // system requirements with ProductVersion.
    const QVariantMap version{
        {QStringLiteral("BuildID"), QStringLiteral("6A4F2C10-8E3B-11EF-9C1D-52C7B3E0A4D9")},
        {QStringLiteral("ProductBuildVersion"), QStringLiteral("24B83")},
        {QStringLiteral("ProductCopyright"), QStringLiteral("1983-2024 Apple Inc.")},
        {QStringLiteral("ProductName"), QStringLiteral("macOS")},
        {QStringLiteral("ProductUserVisibleVersion"), QStringLiteral("15.1")},
        {QStringLiteral("ProductVersion"), QStringLiteral("15.1")},
        {QStringLiteral("iOSSupportVersion"), QStringLiteral("18.1")},
    };
    return writePlistIfMissing(m_root.systemVersionFile(), version, PropertyList::Format::xml);
}

Status SimulatedSeed::seedPreferences() const
{
    const auto binary = PropertyList::Format::binary;
    const QVariantMap finder{
        {QStringLiteral("FXPreferredViewStyle"), QStringLiteral("Nlsv")},
        {QStringLiteral("ShowPathbar"), true},
        {QStringLiteral("ShowStatusBar"), false},
        {QStringLiteral("_FXSortFoldersFirst"), true},
    };
    const QVariantMap global{
        {QStringLiteral("AppleInterfaceStyle"), QStringLiteral("Dark")},
        {QStringLiteral("AppleLanguages"), QVariantList{QStringLiteral("en-GB"), QStringLiteral("en")}},
        {QStringLiteral("AppleLocale"), QStringLiteral("en_GB")},
        {QStringLiteral("AppleMeasurementUnits"), QStringLiteral("Centimeters")},
        {QStringLiteral("AppleMetricUnits"), true},
        {QStringLiteral("AppleShowScrollBars"), QStringLiteral("Automatic")},
        {QStringLiteral("KeyRepeat"), qint64(2)},
        {QStringLiteral("InitialKeyRepeat"), qint64(15)},
        {QStringLiteral("com.apple.mouse.scaling"), 1.5},
        {QStringLiteral("com.apple.sound.beep.volume"), 0.6065306597},
        {QStringLiteral("com.apple.swipescrolldirection"), true},
    };
    const QVariantMap screencapture{
        {QStringLiteral("location"), m_root.home() + QStringLiteral("/Pictures/Screenshots")},
        {QStringLiteral("show-thumbnail"), true},
        {QStringLiteral("type"), QStringLiteral("png")},
    };
    const QVariantMap universalAccess{
        {QStringLiteral("mouseDriverCursorSize"), 1.0},
        {QStringLiteral("reduceMotion"), false},
        {QStringLiteral("reduceTransparency"), false},
    };
    const QVariantMap trackpad{
        {QStringLiteral("Clicking"), true},
        {QStringLiteral("FirstClickThreshold"), qint64(1)},
        {QStringLiteral("TrackpadRightClick"), true},
        {QStringLiteral("TrackpadThreeFingerDrag"), false},
    };
    const QVariantMap clock{
        {QStringLiteral("DateFormat"), QStringLiteral("EEE d MMM HH:mm")},
        {QStringLiteral("FlashDateSeparators"), false},
    };

    const QList<std::pair<QString, QVariantMap>> domains = {
        {QStringLiteral("com.apple.finder"), finder},
        {QStringLiteral("com.apple.screencapture"), screencapture},
        {QStringLiteral("com.apple.universalaccess"), universalAccess},
        {QStringLiteral("com.apple.AppleMultitouchTrackpad"), trackpad},
        {QStringLiteral("com.apple.menuextra.clock"), clock},
    };
    for (const auto &[domain, values] : domains) {
        const Status status = writePlistIfMissing(*m_root.domainFile(domain), values, binary);
        if (!status)
            return status;
    }
    return writePlistIfMissing(m_root.globalPreferencesFile(), global, binary);
}

} // namespace velmora
