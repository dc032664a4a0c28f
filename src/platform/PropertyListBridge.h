#pragma once

#include "common/Result.h"

#include <QVariant>

#include <optional>

namespace velmora {

/// The rules that carry a property-list value between the codec's in-memory form (see
/// `PropertyList`) and the system's typed values, in both directions. The native preference store
/// only asks the system what a value is and hands the answer here, so every decision about types is
/// made, and tested, in portable code.
namespace PropertyListBridge {

/// What the system is given for a value.
enum class Kind {
    boolean,
    signedInteger,   ///< fits a signed 64-bit number
    unsignedInteger, ///< above the signed 64-bit range
    real,
    string,
    date, ///< seconds from 2001-01-01 UTC, the system's absolute time
    data,
    array,
    dictionary,
};

/// Deeper nesting than this is refused both ways, as the codec refuses it in files.
int maxDepth();

/// The kind a value is handed to the system as. Integers of any width become signed unless they
/// do not fit; single-precision reals become reals. A value no property list can hold (an invalid
/// QVariant, an invalid date, a keyed-archiver UID, any other type) is an error naming its type.
Result<Kind> kindOf(const QVariant &value);

/// The system's absolute time for a value of kind `date`.
double absoluteTimeOf(const QVariant &value);

/// An integer the system holds: `exact` when it can be read as a signed 64-bit number, else
/// `unsignedValue`, the number read unsigned (the system keeps integers above the signed range
/// that way).
QVariant fromInteger(std::optional<qint64> exact, quint64 unsignedValue);
/// A date from the system's absolute time.
QVariant fromAbsoluteTime(double seconds);

} // namespace PropertyListBridge

} // namespace velmora
