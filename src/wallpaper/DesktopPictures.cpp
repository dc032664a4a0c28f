#include "DesktopPictures.h"

#include "common/AtomicFile.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <filesystem>
#include <system_error>

namespace velmora {

namespace {

const char kScreenNumberKey[] = "NSScreenNumber";

// Creates a folder and its missing parents; the error is the file system's own words.
Status makeFolder(const QString &path)
{
    std::error_code error;
    const std::filesystem::path folder(QFile::encodeName(path).toStdString());
    std::filesystem::create_directories(folder, error);
    if (error)
        return Status::failure(
            QCoreApplication::translate("DesktopPictures", "Could not create the folder “%1”: %2")
                .arg(path, QString::fromLocal8Bit(error.message())));
    if (!std::filesystem::is_directory(folder, error))
        return Status::failure(
            QCoreApplication::translate("DesktopPictures",
                                        "Could not create the folder “%1”: a file of that name is in the way")
                .arg(path));
    return Status::success();
}

// Strict standard Base64: the alphabet, "=" only as padding, and whole groups of four.
std::optional<QByteArray> decodeBase64Strictly(const QString &text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok)
        return std::nullopt;
    return decoded.decoded;
}

} // namespace

quint32 displayID(const Display &display)
{
    const QVariant number = display.deviceDescription.value(QLatin1String(kScreenNumberKey));
    switch (number.typeId()) {
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar: return number.toUInt();
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong value = number.toLongLong();
        return value >= 0 && value <= qlonglong(0xFFFFFFFFu) ? quint32(value) : 0;
    }
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong value = number.toULongLong();
        return value <= 0xFFFFFFFFu ? quint32(value) : 0;
    }
    case QMetaType::Double: {
        // A whole number stored as a real still names a display; a fraction does not.
        const double value = number.toDouble();
        return value >= 0 && value <= 4294967295.0 && value == double(quint32(value)) ? quint32(value) : 0;
    }
    default: return 0;
    }
}

std::optional<QString> mainScreenDesktopImageURL(DisplayService &displays)
{
    const std::optional<Display> main = displays.mainDisplay();
    if (!main)
        return std::nullopt;
    return displays.desktopImagePath(*main);
}

QVariantMap desktopImageOptions(Scaling scaling, bool allowClipping)
{
    return QVariantMap{
        {DisplayService::scalingKey(), QVariant::fromValue(platformScalingCode(scaling))},
        {DisplayService::allowClippingKey(), QVariant(allowClipping)},
    };
}

QString wallpapersDirectory(const FileLocations &locations)
{
    return locations.applicationSupport + QLatin1Char('/') + Platform::applicationIdentifier() +
           QStringLiteral("/Wallpapers");
}

Status materializeEmbeddedImage(WallpaperConfig &config, const FileLocations &locations)
{
    if (!config.embeddedImageData || config.embeddedImageData->isEmpty())
        return Status::success();
    // The file on this machine wins over the copy carried along.
    if (config.hasImagePath() && QFileInfo::exists(locations.expandTilde(*config.imagePath)))
        return Status::success();
    const std::optional<QByteArray> bytes = decodeBase64Strictly(*config.embeddedImageData);
    if (!bytes)
        return Status::success();

    const QString folder = wallpapersDirectory(locations);
    const Status made = makeFolder(folder);
    if (!made)
        return made;
    // Named ".png" whatever the bytes are: the platform goes by the content, not the name.
    const QString path = folder + QLatin1Char('/') +
                         QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() +
                         QStringLiteral(".png");
    const Status written = AtomicFile::write(path, *bytes);
    if (!written)
        return Status::failure(
            QCoreApplication::translate("DesktopPictures", "Could not write the wallpaper: %1")
                .arg(written.error()));
    config.imagePath = path;
    return Status::success();
}

WallpaperStatus applyWallpaper(Platform &platform, const std::optional<QString> &imagePath, Scaling scaling,
                               bool allowClipping, const std::optional<QList<Display>> &targets)
{
    if (!imagePath || imagePath->isEmpty())
        return WallpaperStatus::success();
    const QString path = platform.fileLocations().expandTilde(*imagePath);
    if (!QFileInfo::exists(path))
        return WallpaperStatus::failure(WallpaperError::fileNotFound(path));
    DisplayService &service = platform.displays();
    const QList<Display> displays = targets ? *targets : service.displays();
    if (displays.isEmpty())
        return WallpaperStatus::failure(WallpaperError::noScreens());
    const QVariantMap options = desktopImageOptions(scaling, allowClipping);
    for (const Display &display : displays) {
        const Status set = service.setDesktopImage(path, display, options);
        if (!set)
            return WallpaperStatus::failure(WallpaperError::applyFailed(path, set.error()));
    }
    return WallpaperStatus::success();
}

WallpaperStatus applyPerDisplay(Platform &platform, const QMap<quint32, WallpaperConfig> &configs)
{
    DisplayService &service = platform.displays();
    const QList<Display> displays = service.displays();
    if (displays.isEmpty())
        return WallpaperStatus::failure(WallpaperError::noScreens());
    const FileLocations locations = platform.fileLocations();
    for (const Display &display : displays) {
        const auto entry = configs.constFind(displayID(display));
        if (entry == configs.cend() || !entry->hasImagePath())
            continue;
        const QString path = locations.expandTilde(*entry->imagePath);
        if (!QFileInfo::exists(path))
            return WallpaperStatus::failure(WallpaperError::fileNotFound(path));
        const Status set =
            service.setDesktopImage(path, display, desktopImageOptions(entry->scaling, entry->allowClipping));
        if (!set)
            return WallpaperStatus::failure(WallpaperError::applyFailed(path, set.error()));
    }
    return WallpaperStatus::success();
}

} // namespace velmora
