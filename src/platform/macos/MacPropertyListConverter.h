#pragma once

#include "common/Result.h"

#include <QVariant>

namespace velmora {

/// The one converter between the system's property-list values and the codec's form, both ways.
/// The type rules come from `PropertyListBridge`; this class only asks the system. Values cross as
/// untyped pointers (a `CFPropertyListRef`) so no Apple header reaches the includer.
class MacPropertyListConverter {
public:
    /// The codec's value for a system value; invalid for null, a value nested too deep, or one that
    /// holds something no property list can (the whole value is then left out, never half of it).
    static QVariant toVariant(const void *propertyList);

    /// A new system value for a codec value, owned by the caller (release it with `CFRelease`). A
    /// value no property list can hold is an error naming its type.
    static Result<const void *> fromVariant(const QVariant &value);
};

} // namespace velmora
