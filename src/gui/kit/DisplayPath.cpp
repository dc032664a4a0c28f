#include "DisplayPath.h"

#include <QFontMetrics>

namespace velmora::DisplayPath {

namespace {

QString withoutTrailingSlashes(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

QString abbreviated(const QString &path, const QString &home)
{
    const QString shown = withoutTrailingSlashes(path);
    const QString base = withoutTrailingSlashes(home);
    // "/Users/ann" is not inside "/Users/an": the home must end at a folder boundary.
    if (base.isEmpty() || base == QLatin1String("/"))
        return shown;
    if (shown == base)
        return QStringLiteral("~");
    if (shown.startsWith(base + QLatin1Char('/')))
        return QLatin1Char('~') + shown.mid(base.size());
    return shown;
}

QString elided(const QString &path, const QString &home, const QFontMetrics &metrics, int width)
{
    return metrics.elidedText(abbreviated(path, home), Qt::ElideMiddle, width);
}

} // namespace velmora::DisplayPath
