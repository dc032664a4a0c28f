#include "FileLocations.h"

namespace velmora {

QString FileLocations::expandTilde(const QString &path) const
{
    if (path == QLatin1String("~"))
        return home;
    if (path.startsWith(QLatin1String("~/")))
        return home + path.mid(1);
    return path;
}

} // namespace velmora
