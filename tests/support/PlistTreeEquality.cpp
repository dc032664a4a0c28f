#include "PlistTreeEquality.h"

#include "plist/PropertyList.h"

#include <QDateTime>

#include <cmath>
#include <cstring>

namespace velmora::test {

namespace {

bool sameDouble(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    // Bit for bit, so 0.0 and -0.0 stay apart.
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QString shortText(const QVariant &v)
{
    if (v.metaType() == QMetaType::fromType<PlistUid>())
        return QStringLiteral("UID %1").arg(v.value<PlistUid>().value);
    if (v.typeId() == QMetaType::Double)
        return QString::asprintf("%.17g", v.toDouble());
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(Qt::ISODateWithMs);
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(v.toByteArray().left(32).toHex());
    if (v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QVariantMap)
        return QStringLiteral("(container)");
    if (v.typeId() == QMetaType::QString) {
        // Control characters and everything outside ASCII as \uXXXX, so a lost U+0000 shows.
        QString text;
        for (QChar c : v.toString().left(64)) {
            const char16_t u = c.unicode();
            text += u >= 0x20 && u < 0x7f ? QString(c)
                                          : QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        }
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return v.toString().left(64);
}

// "a QString changed at /key[2]: "ab\u0000c" became "ab"": the kind first, so reports of one fault
// read alike whatever the path and the values.
bool differ(QString *difference, const QString &path, const QVariant &a, const QVariant &b)
{
    if (!difference)
        return false;
    const QString where = path.isEmpty() ? QStringLiteral("the root") : path;
    if (a.metaType() != b.metaType())
        *difference = QStringLiteral("a %1 became a %2 at %3: %4 became %5")
                          .arg(QString::fromLatin1(a.typeName()), QString::fromLatin1(b.typeName()), where,
                               shortText(a), shortText(b));
    else
        *difference = QStringLiteral("a %1 changed at %2: %3 became %4")
                          .arg(QString::fromLatin1(a.typeName()), where, shortText(a), shortText(b));
    return false;
}

bool compare(const QVariant &a, const QVariant &b, const QString &path, QString *difference)
{
    if (a.metaType() != b.metaType())
        return differ(difference, path, a, b);
    switch (a.typeId()) {
    case QMetaType::Double: return sameDouble(a.toDouble(), b.toDouble()) || differ(difference, path, a, b);
    case QMetaType::QDateTime:
        return a.toDateTime().toMSecsSinceEpoch() == b.toDateTime().toMSecsSinceEpoch() ||
               differ(difference, path, a, b);
    case QMetaType::QVariantList: {
        const QVariantList la = a.toList(), lb = b.toList();
        if (la.size() != lb.size())
            return differ(difference, path, a, b);
        for (qsizetype i = 0; i < la.size(); ++i) {
            if (!compare(la[i], lb[i], QStringLiteral("%1[%2]").arg(path).arg(i), difference))
                return false;
        }
        return true;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap ma = a.toMap(), mb = b.toMap();
        if (ma.keys() != mb.keys()) {
            if (difference)
                *difference = QStringLiteral("the keys of a dictionary changed at %1")
                                  .arg(path.isEmpty() ? QStringLiteral("the root") : path);
            return false;
        }
        for (auto it = ma.cbegin(); it != ma.cend(); ++it) {
            if (!compare(it.value(), mb.value(it.key()), path + QLatin1Char('/') + it.key(), difference))
                return false;
        }
        return true;
    }
    default:
        if (a.metaType() == QMetaType::fromType<PlistUid>())
            return a.value<PlistUid>() == b.value<PlistUid>() || differ(difference, path, a, b);
        return a == b || differ(difference, path, a, b);
    }
}

} // namespace

bool sameTree(const QVariant &a, const QVariant &b, QString *difference)
{
    return compare(a, b, QString(), difference);
}

} // namespace velmora::test
