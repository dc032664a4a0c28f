#include "WallpaperError.h"

namespace velmora {

WallpaperError WallpaperError::fileNotFound(QString path)
{
    WallpaperError e;
    e.m_kind = Kind::fileNotFound;
    e.m_path = std::move(path);
    return e;
}

WallpaperError WallpaperError::applyFailed(QString path, QString platformError)
{
    WallpaperError e;
    e.m_kind = Kind::applyFailed;
    e.m_path = std::move(path);
    e.m_platformError = std::move(platformError);
    return e;
}

WallpaperError WallpaperError::noScreens()
{
    return WallpaperError();
}

QString WallpaperError::description() const
{
    switch (m_kind) {
    case Kind::fileNotFound: return QStringLiteral("Wallpaper image not found at: ") + m_path;
    case Kind::applyFailed:
        return QStringLiteral("Could not apply wallpaper ") + m_path + QStringLiteral(": ") + m_platformError;
    case Kind::noScreens: return QStringLiteral("No displays detected.");
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace velmora
