#include "TweakValueType.h"

namespace velmora {

QString rawValue(TweakValueType type)
{
    switch (type) {
    case TweakValueType::bool_: return QStringLiteral("bool");
    case TweakValueType::int_: return QStringLiteral("int");
    case TweakValueType::double_: return QStringLiteral("double");
    case TweakValueType::string: return QStringLiteral("string");
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace velmora
