#include "Scaling.h"

#include "common/EnumText.h"

namespace velmora {

QList<Scaling> allScalings()
{
    return allEnumValues<Scaling>();
}

QString rawValue(Scaling scaling)
{
    return enumText(scaling);
}

std::optional<Scaling> scalingFromRawValue(const QString &raw)
{
    return enumFromText<Scaling>(raw);
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
