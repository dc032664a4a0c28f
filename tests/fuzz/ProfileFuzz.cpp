#include "FuzzTargets.h"

#include "profiles/Profile.h"

#include <cmath>

namespace velmora::fuzz {

namespace {

// Profile's own == holds NaN unequal to itself, as doubles do; a saved NaN must still read back
// as a NaN.
bool sameValue(const TweakValue &a, const TweakValue &b)
{
    if (a.isDouble() && b.isDouble() && std::isnan(a.toDouble()) && std::isnan(b.toDouble()))
        return true;
    return a == b;
}

QString differenceBetween(const Profile &a, const Profile &b)
{
    if (a.id != b.id)
        return QStringLiteral("the id");
    if (a.name != b.name)
        return QStringLiteral("the name");
    if (a.notes != b.notes)
        return QStringLiteral("the notes");
    if (a.createdAt != b.createdAt)
        return QStringLiteral("the creation date (%1 became %2)")
            .arg(a.createdAt.toString(Qt::ISODateWithMs), b.createdAt.toString(Qt::ISODateWithMs));
    if (a.schemaVersion != b.schemaVersion)
        return QStringLiteral("the schema version");
    if (a.appVersion != b.appVersion)
        return QStringLiteral("the application version");
    if (a.values.keys() != b.values.keys())
        return QStringLiteral("the set of tweak ids");
    // The same keys (checked above): the two maps walk in step.
    for (auto it = a.values.cbegin(), other = b.values.cbegin(); it != a.values.cend(); ++it, ++other) {
        if (!sameValue(it.value(), other.value()))
            return QStringLiteral("the value of %1").arg(it.key());
    }
    return QString();
}

} // namespace

int fuzzProfile(const uint8_t *data, size_t size)
{
    const Result<Profile> profile = Profile::decode(inputBytes(data, size));
    if (!profile)
        return 0;
    // Saving a profile that was just read can only fail for what XML cannot carry (a binary profile
    // may hold control characters; a date beyond the years 1 to 9999), and then says so.
    const Result<QByteArray> saved = profile->encode();
    if (!saved && (saved.error().contains(QLatin1String("an XML property list can")) ||
                   saved.error().contains(QLatin1String("a profile cannot carry"))))
        return 0;
    if (!saved) {
        const QByteArray message =
            QStringLiteral("a profile that reads cannot be saved: %1").arg(saved.error()).toUtf8();
        fuzzFailure("profile", message.constData());
    }
    const Result<Profile> reread = Profile::decode(*saved);
    if (!reread) {
        const QByteArray message =
            QStringLiteral("a saved profile does not read back: %1").arg(reread.error()).toUtf8();
        fuzzFailure("profile", message.constData());
    }
    if (const QString difference = differenceBetween(*profile, *reread); !difference.isEmpty()) {
        const QByteArray message = QStringLiteral("saved and read back, %1 changed").arg(difference).toUtf8();
        fuzzFailure("profile", message.constData());
    }
    return 0;
}

} // namespace velmora::fuzz
