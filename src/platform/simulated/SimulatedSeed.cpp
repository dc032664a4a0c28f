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
         {&SimulatedSeed::layOutFolders, &SimulatedSeed::seedApplications, &SimulatedSeed::seedDock,
          &SimulatedSeed::seedPreferences, &SimulatedSeed::seedDesktopPictures}) {
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

Status SimulatedSeed::seedPreferences() const
{
    const auto binary = PropertyList::Format::binary;
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

} // namespace velmora
