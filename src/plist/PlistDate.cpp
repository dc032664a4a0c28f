#include "PlistDate.h"

#include <cmath>

namespace velmora {

namespace {

// Beyond this many milliseconds either way a double no longer tells whole milliseconds apart, and
// QDateTime's own range ends not far beyond.
constexpr double kMaxExactMilliseconds = 9007199254740992.0; // 2^53

// QDateTime converts to and from PlistDate, so `QVariant::toDateTime()` works on either form.
const bool kConvertersRegistered = [] {
    QMetaType::registerConverter<PlistDate, QDateTime>(&PlistDate::toDateTime);
    return true;
}();

} // namespace

QDateTime PlistDate::toDateTime() const
{
    (void)kConvertersRegistered;
    if (!std::isfinite(seconds))
        return QDateTime();
    const double ms = std::round(seconds * 1000.0);
    if (std::fabs(ms) > kMaxExactMilliseconds)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(qint64(ms) + referenceOffset * 1000, Qt::UTC);
}

bool isDateVariant(const QVariant &value)
{
    return value.typeId() == QMetaType::QDateTime || value.metaType() == QMetaType::fromType<PlistDate>();
}

std::optional<double> plistSecondsOf(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<PlistDate>())
        return value.value<PlistDate>().seconds;
    if (value.typeId() != QMetaType::QDateTime)
        return std::nullopt;
    const QDateTime date = value.toDateTime();
    if (!date.isValid())
        return std::nullopt;
    // Milliseconds first, then one division: the reader's test for a whole millisecond undoes
    // exactly this.
    return double(date.toMSecsSinceEpoch() - PlistDate::referenceOffset * 1000) / 1000.0;
}

QVariant dateVariantFromSeconds(double seconds)
{
    (void)kConvertersRegistered;
    if (std::isfinite(seconds)) {
        const double ms = std::round(seconds * 1000.0);
        if (std::fabs(ms) <= kMaxExactMilliseconds && double(qint64(ms)) / 1000.0 == seconds) {
            const QDateTime date =
                QDateTime::fromMSecsSinceEpoch(qint64(ms) + PlistDate::referenceOffset * 1000, Qt::UTC);
            if (date.isValid())
                return QVariant(date);
        }
    }
    return QVariant::fromValue(PlistDate{seconds});
}

} // namespace velmora
