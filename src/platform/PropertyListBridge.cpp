#include "PropertyListBridge.h"

#include "PlatformMessages.h"
#include "common/VariantKinds.h"
#include "plist/BinaryPropertyList.h"
#include "plist/PlistDate.h"
#include "plist/PropertyList.h"

#include <limits>

namespace velmora::PropertyListBridge {

int maxDepth()
{
    return BinaryPropertyList::maxDepth;
}

Result<Kind> kindOf(const QVariant &value)
{
    using R = Result<Kind>;
    switch (value.typeId()) {
    case QMetaType::Bool: return Kind::boolean;
    case QMetaType::Double:
    case QMetaType::Float: return Kind::real;
    case QMetaType::QString: return Kind::string;
    case QMetaType::QByteArray: return Kind::data;
    case QMetaType::QVariantList:
    case QMetaType::QStringList: return Kind::array;
    case QMetaType::QVariantMap: return Kind::dictionary;
    default: break;
    }
    if (isIntegerVariant(value)) {
        // Only an unsigned number past the signed range needs the unsigned form; every other
        // integer, whatever width Qt gave it, is an ordinary signed one.
        const bool isUnsigned = value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::ULong;
        if (isUnsigned && value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return Kind::unsignedInteger;
        return Kind::signedInteger;
    }
    if (isDateVariant(value)) {
        if (!plistSecondsOf(value))
            return R::failure(PlatformMessages::invalidDate());
        return Kind::date;
    }
    return R::failure(PlatformMessages::notAPropertyListValue(
        value.isValid() ? QString::fromLatin1(value.typeName()) : QStringLiteral("nothing")));
}

double absoluteTimeOf(const QVariant &value)
{
    return plistSecondsOf(value).value_or(0.0);
}

QVariant fromInteger(std::optional<qint64> exact, quint64 unsignedValue)
{
    if (exact)
        return QVariant::fromValue(*exact);
    // Kept unsigned only when the signed form cannot hold it, as the codec reads files.
    if (unsignedValue <= quint64(std::numeric_limits<qint64>::max()))
        return QVariant::fromValue(qint64(unsignedValue));
    return QVariant::fromValue(unsignedValue);
}

QVariant fromAbsoluteTime(double seconds)
{
    return dateVariantFromSeconds(seconds);
}

} // namespace velmora::PropertyListBridge
