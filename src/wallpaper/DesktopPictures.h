#pragma once

// Desktop pictures per display: identifying displays, reading the main display's picture, setting
// pictures with a scaling mode, and turning a picture carried in a profile back into a file.

#include "WallpaperConfig.h"
#include "WallpaperError.h"
#include "common/Result.h"
#include "platform/DisplayService.h"
#include "platform/FileLocations.h"

#include <QMap>
#include <QVariantMap>

#include <optional>

namespace velmora {

class Platform;

using WallpaperStatus = BasicStatus<WallpaperError>;

/// A display's number from its description ("NSScreenNumber"); 0 when it has none or it is not an
/// unsigned 32-bit number.
quint32 displayID(const Display &display);

/// The picture currently set on the main display; none without a main display or a picture.
std::optional<QString> mainScreenDesktopImageURL(DisplayService &displays);

/// The options handed to the platform with every picture: the scaling key with the platform's
/// scaling code and the clipping key with the flag. Nothing else (no fill colour).
QVariantMap desktopImageOptions(Scaling scaling, bool allowClipping);

/// "<Application Support>/dev.corrandelwick.Velmora/Wallpapers": where pictures carried in profiles
/// are written back. Nothing ever deletes them.
QString wallpapersDirectory(const FileLocations &locations);

/// When `config` carries a picture whose file is not on this machine, writes the bytes to a new
/// "<UUID>.png" in the wallpapers folder and points `imagePath` at it. A file already at
/// `imagePath` wins; Base64 that does not decode strictly is ignored. Fails with the file
/// system's description when the folder or the file cannot be written. Touches only files, so it
/// may run on any thread.
Status materializeEmbeddedImage(WallpaperConfig &config, const FileLocations &locations);

/// Sets one picture on `targets` (every display when absent), in the platform's order. An absent
/// or empty path sets nothing and succeeds. Stops at the first display the platform refuses;
/// displays before it keep their new picture.
WallpaperStatus applyWallpaper(Platform &platform, const std::optional<QString> &imagePath, Scaling scaling,
                               bool allowClipping,
                               const std::optional<QList<Display>> &targets = std::nullopt);

/// Sets each display's own picture from the entry under its `displayID`; displays without an entry
/// or without a path are left alone, entries for no current display are ignored. Stops at the
/// first failure.
WallpaperStatus applyPerDisplay(Platform &platform, const QMap<quint32, WallpaperConfig> &configs);

} // namespace velmora
