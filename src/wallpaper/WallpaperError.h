#pragma once

#include <QString>

namespace velmora {

/// Why a desktop picture could not be set. Default-constructed it is `noScreens`.
class WallpaperError {
public:
    enum class Kind { fileNotFound, applyFailed, noScreens };

    WallpaperError() = default;
    /// The picture is not there; `path` is the expanded path.
    static WallpaperError fileNotFound(QString path);
    /// The platform refused the picture for a display, with its own description.
    static WallpaperError applyFailed(QString path, QString platformError);
    static WallpaperError noScreens();

    Kind kind() const { return m_kind; }
    const QString &path() const { return m_path; }

    /// The text shown to the user: "Wallpaper image not found at: …", "Could not apply wallpaper …: …",
    /// "No displays detected.".
    QString description() const;

    friend bool operator==(const WallpaperError &, const WallpaperError &) = default;

private:
    Kind m_kind = Kind::noScreens;
    QString m_path;
    QString m_platformError;
};

} // namespace velmora
