#pragma once

#include <QVariant>

namespace velmora {

/// The kinds of number a property list or a JSON reader hands over, whatever width Qt chose.
inline bool isIntegerVariant(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort: return true;
    default: return false;
    }
}

inline bool isFloatingVariant(const QVariant &v)
{
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

} // namespace velmora
