#include "OperatingSystem.h"

namespace velmora {

QString OperatingSystem::versionText(qint64 major, qint64 minor, qint64 patch)
{
    QString text = QString::number(major) + QLatin1Char('.') + QString::number(minor);
    if (patch > 0)
        text += QLatin1Char('.') + QString::number(patch);
    return text;
}

} // namespace velmora
