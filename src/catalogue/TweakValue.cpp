#include "TweakValue.h"

#include "common/VariantKinds.h"

#include <QHash>
#include <QMetaType>
#include <QUtf8StringView>

#include <cmath>
#include <limits>

namespace velmora {

namespace {

const QString kPayloadKey = QStringLiteral("_0");

// Swift-style decoding texts: callers show them as they stand.
const QString kKeyCountError = QStringLiteral("Invalid number of keys found, expected one.");

Result<TweakValue> decodePayload(TweakValueType type, const QVariant &payload)
{
    const QString caseName = rawValue(type);
    auto mismatch = [&](const QString &expected) {
        return Result<TweakValue>::failure(
            QStringLiteral("Expected to decode %1 for \"%2\" but found %3 instead.")
                .arg(expected, caseName,
                     payload.isValid() ? QString::fromLatin1(payload.typeName())
                                       : QStringLiteral("nothing")));
    };
    switch (type) {
    case TweakValueType::bool_:
        if (payload.typeId() == QMetaType::Bool)
            return TweakValue::ofBool(payload.toBool());
        return mismatch(QStringLiteral("a boolean"));
    case TweakValueType::int_:
        if (payload.typeId() == QMetaType::ULongLong || payload.typeId() == QMetaType::ULong) {
            if (payload.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
                return mismatch(QStringLiteral("a signed 64-bit integer"));
            return TweakValue::ofInt(qint64(payload.toULongLong()));
        }
        if (isIntegerVariant(payload))
            return TweakValue::ofInt(payload.toLongLong());
        // JSON readers may hand a whole number back as a double; accept it when exact.
        if (isFloatingVariant(payload)) {
            const double d = payload.toDouble();
            if (std::isfinite(d) && std::trunc(d) == d && d >= -9223372036854775808.0 &&
                d < 9223372036854775808.0)
                return TweakValue::ofInt(qint64(d));
        }
        return mismatch(QStringLiteral("an integer"));
    case TweakValueType::double_:
        if (isFloatingVariant(payload) || isIntegerVariant(payload))
            return TweakValue::ofDouble(payload.toDouble());
        return mismatch(QStringLiteral("a number"));
    case TweakValueType::string:
        if (payload.typeId() == QMetaType::QString)
            return TweakValue::ofString(payload.toString());
        if (payload.metaType() == QMetaType::fromType<Utf8Text>())
            return TweakValue::ofUtf8(payload.value<Utf8Text>().utf8);
        return mismatch(QStringLiteral("a string"));
    }
    Q_UNREACHABLE();
    return Result<TweakValue>();
}

} // namespace

TweakValue TweakValue::ofBool(bool value)
{
    TweakValue v;
    v.m_payload = value;
    return v;
}

TweakValue TweakValue::ofInt(qint64 value)
{
    TweakValue v;
    v.m_payload = value;
    return v;
}

TweakValue TweakValue::ofDouble(double value)
{
    TweakValue v;
    v.m_payload = value;
    return v;
}

TweakValue TweakValue::ofString(QString value)
{
    TweakValue v;
    v.m_payload = std::move(value);
    return v;
}

TweakValue TweakValue::ofUtf8(QByteArray utf8)
{
    if (!QUtf8StringView(utf8).isValidUtf8())
        return ofString(QString::fromUtf8(utf8));
    TweakValue v;
    v.m_payload = Utf8Text{std::move(utf8)};
    return v;
}

TweakValueType TweakValue::type() const
{
    switch (m_payload.index()) {
    case 0: return TweakValueType::bool_;
    case 1: return TweakValueType::int_;
    case 2: return TweakValueType::double_;
    default: return TweakValueType::string;
    }
}

bool TweakValue::toBool() const
{
    const bool *b = std::get_if<bool>(&m_payload);
    return b ? *b : false;
}

qint64 TweakValue::toInt() const
{
    const qint64 *i = std::get_if<qint64>(&m_payload);
    return i ? *i : 0;
}

double TweakValue::toDouble() const
{
    const double *d = std::get_if<double>(&m_payload);
    return d ? *d : 0.0;
}

QString TweakValue::toString() const
{
    if (const QString *s = std::get_if<QString>(&m_payload))
        return *s;
    if (const Utf8Text *t = std::get_if<Utf8Text>(&m_payload))
        return QString::fromUtf8(t->utf8);
    return QString();
}

QByteArray TweakValue::toUtf8() const
{
    if (const Utf8Text *t = std::get_if<Utf8Text>(&m_payload))
        return t->utf8;
    if (const QString *s = std::get_if<QString>(&m_payload))
        return s->toUtf8();
    return QByteArray();
}

QVariantMap TweakValue::encoded() const
{
    QVariant payload;
    switch (type()) {
    case TweakValueType::bool_: payload = toBool(); break;
    case TweakValueType::int_: payload = toInt(); break;
    case TweakValueType::double_: payload = toDouble(); break;
    case TweakValueType::string:
        payload = holdsUtf8() ? QVariant::fromValue(std::get<Utf8Text>(m_payload)) : QVariant(toString());
        break;
    }
    return {{rawValue(type()), QVariantMap{{kPayloadKey, payload}}}};
}

Result<TweakValue> TweakValue::decode(const QVariant &coded)
{
    if (coded.typeId() != QMetaType::QVariantMap)
        return Result<TweakValue>::failure(
            QStringLiteral("Expected to decode a dictionary for a tweak value but found %1 instead.")
                .arg(coded.isValid() ? QString::fromLatin1(coded.typeName()) : QStringLiteral("nothing")));
    const QVariantMap outer = coded.toMap();

    std::optional<TweakValueType> found;
    int recognised = 0;
    for (auto type :
         {TweakValueType::bool_, TweakValueType::int_, TweakValueType::double_, TweakValueType::string}) {
        if (outer.contains(rawValue(type))) {
            ++recognised;
            found = type;
        }
    }
    if (recognised != 1)
        return Result<TweakValue>::failure(kKeyCountError);

    const QVariant inner = outer.value(rawValue(*found));
    if (inner.typeId() != QMetaType::QVariantMap)
        return Result<TweakValue>::failure(
            QStringLiteral("Expected to decode a dictionary for \"%1\".").arg(rawValue(*found)));
    const QVariantMap innerMap = inner.toMap();
    if (!innerMap.contains(kPayloadKey))
        return Result<TweakValue>::failure(
            QStringLiteral("No value associated with key \"_0\" in \"%1\".").arg(rawValue(*found)));
    return decodePayload(*found, innerMap.value(kPayloadKey));
}

QString TweakValue::displayText() const
{
    switch (type()) {
    case TweakValueType::bool_: return toBool() ? QStringLiteral("On") : QStringLiteral("Off");
    case TweakValueType::int_: return QString::number(toInt());
    case TweakValueType::double_: return QString::asprintf("%.2f", toDouble());
    case TweakValueType::string: return toString().isEmpty() ? QStringLiteral("(empty)") : toString();
    }
    Q_UNREACHABLE();
    return QString();
}

bool operator==(const TweakValue &a, const TweakValue &b)
{
    // std::variant compares the index first, then the payload with the payload's own ==,
    // so doubles compare numerically (0.0 == -0.0) and cases never convert. A text is the same
    // text whether held as UTF-16 or as UTF-8.
    const QString *s = std::get_if<QString>(&a.m_payload);
    const Utf8Text *t = std::get_if<Utf8Text>(&b.m_payload);
    if (!s || !t) {
        s = std::get_if<QString>(&b.m_payload);
        t = std::get_if<Utf8Text>(&a.m_payload);
    }
    if (s && t)
        return QtPrivate::compareStrings(QStringView(*s), QUtf8StringView(t->utf8)) == 0;
    return a.m_payload == b.m_payload;
}

size_t qHash(const TweakValue &value, size_t seed) noexcept
{
    seed = ::qHash(static_cast<int>(value.type()), seed);
    switch (value.type()) {
    case TweakValueType::bool_: return ::qHash(value.toBool(), seed);
    case TweakValueType::int_: return ::qHash(value.toInt(), seed);
    case TweakValueType::double_: {
        // Equal doubles must hash alike: fold -0.0 into 0.0.
        const double d = value.toDouble() == 0.0 ? 0.0 : value.toDouble();
        return ::qHash(d, seed);
    }
    case TweakValueType::string:
        // Hashed as UTF-8, so a text hashes alike however it is held.
        return ::qHash(value.toUtf8(), seed);
    }
    return seed;
}

QString displayText(const std::optional<TweakValue> &value)
{
    return value ? value->displayText() : QStringLiteral("(not set)");
}

} // namespace velmora
