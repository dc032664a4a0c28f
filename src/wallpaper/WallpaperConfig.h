#pragma once

#include "Scaling.h"
#include "common/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

/// One desktop picture with its scaling and clipping; with the picture's bytes embedded when it
/// travels in a profile to a machine that may not have the file.
struct WallpaperConfig {
    /// The picture's file; may begin with "~". Absent or empty: no picture.
    std::optional<QString> imagePath;
    Scaling scaling = Scaling::fill;
    /// Whether the picture may be cut off at the display's edges when scaled.
    bool allowClipping = true;
    /// The picture file's bytes as standard Base64 without line breaks.
    std::optional<QString> embeddedImageData;

    /// Whether `imagePath` names a picture at all.
    bool hasImagePath() const { return imagePath && !imagePath->isEmpty(); }

    /// Compact JSON: "imagePath" and "embeddedImageData" when present, "scaling" as its raw value,
    /// "allowClipping" as a boolean.
    QByteArray toJson() const;
    /// Reads the JSON form; "scaling" and "allowClipping" are required and an unknown scaling makes
    /// the whole text unreadable. Any key order, white space and unknown keys are accepted.
    static Result<WallpaperConfig> fromJson(const QByteArray &json);

    friend bool operator==(const WallpaperConfig &, const WallpaperConfig &) = default;
};

} // namespace velmora
