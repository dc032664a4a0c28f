#include "Scaling.h"

namespace velmora {

QList<Scaling> allScalings()
{
    return {Scaling::fill, Scaling::fit, Scaling::stretch, Scaling::center};
}

QString rawValue(Scaling scaling)
{
    switch (scaling) {
    case Scaling::fill: return QStringLiteral("fill");
    case Scaling::fit: return QStringLiteral("fit");
    case Scaling::stretch: return QStringLiteral("stretch");
    case Scaling::center: return QStringLiteral("center");
    }
    Q_UNREACHABLE();
    return QString();
}

std::optional<Scaling> scalingFromRawValue(const QString &raw)
{
    for (Scaling scaling : allScalings()) {
        if (rawValue(scaling) == raw)
            return scaling;
    }
    return std::nullopt;
}

quint64 platformScalingCode(Scaling scaling)
{
    // The platform's image-scaling enumeration: proportionally down 0, axes independently 1,
    // none 2, proportionally up or down 3.
    switch (scaling) {
    case Scaling::fill: return 3;
    case Scaling::fit: return 0;
    case Scaling::stretch: return 1;
    case Scaling::center: return 2;
    }
    Q_UNREACHABLE();
    return 3;
}

std::optional<Scaling> scalingFromPlatformCode(quint64 code)
{
    for (Scaling scaling : allScalings()) {
        if (platformScalingCode(scaling) == code)
            return scaling;
    }
    return std::nullopt;
}

} // namespace velmora
