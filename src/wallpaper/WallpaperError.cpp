#include "WallpaperError.h"

#include <QCoreApplication>

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
    case Kind::fileNotFound:
        return QCoreApplication::translate("WallpaperError", "Wallpaper image not found at: %1").arg(m_path);
    case Kind::applyFailed:
        return QCoreApplication::translate("WallpaperError", "Could not apply wallpaper %1: %2")
            .arg(m_path, m_platformError);
    case Kind::noScreens: return QCoreApplication::translate("WallpaperError", "No displays detected.");
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace velmora
