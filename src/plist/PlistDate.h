#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QVariant>

#include <optional>

namespace velmora {

/// A property-list date as the file holds it: seconds since 2001-01-01 00:00:00 UTC, as a double.
///
/// The preferences service stores dates with microseconds and more; QDateTime keeps milliseconds. A
/// date read from a file is a QDateTime when it falls on a whole millisecond (every date this program
/// writes does) and a PlistDate otherwise, so a domain rewritten for an unrelated change keeps every
/// date to the last bit.
struct PlistDate {
    double seconds = 0;

    /// Seconds from the Unix epoch to the reference date of property lists.
    static constexpr qint64 referenceOffset = 978307200;

    /// The nearest QDateTime (UTC); invalid for a value no QDateTime can hold (not finite, or far
    /// outside the years 1 to 9999's neighbourhood).
    QDateTime toDateTime() const;

    friend bool operator==(const PlistDate &a, const PlistDate &b)
    {
        // Bit-for-bit, so a NaN read from a file still equals itself after a round trip.
        return a.seconds == b.seconds || (a.seconds != a.seconds && b.seconds != b.seconds);
    }
};

/// Whether a value is a date of either form.
bool isDateVariant(const QVariant &value);

/// The property-list seconds of a date of either form; nothing for any other value or an invalid
/// QDateTime.
std::optional<double> plistSecondsOf(const QVariant &value);

/// The value a reader hands over for `seconds`: a QDateTime when that is exact, else a PlistDate.
QVariant dateVariantFromSeconds(double seconds);

} // namespace velmora

Q_DECLARE_METATYPE(velmora::PlistDate)
