#pragma once

#include "TweakValueType.h"
#include "common/Result.h"
#include "common/Utf8Text.h"

#include <QString>
#include <QVariant>

#include <variant>

namespace velmora {

/// The tagged value the engine stores, writes and compares: a boolean, a signed 64-bit integer,
/// a double or a text. Values of different cases are never equal (the `int` 1 is not the `bool`
/// true); doubles compare numerically.
class TweakValue {
public:
    /// The `bool` value false; only there so containers and results can hold a value.
    TweakValue() = default;

    static TweakValue ofBool(bool value);
    static TweakValue ofInt(qint64 value);
    static TweakValue ofDouble(double value);
    static TweakValue ofString(QString value);
    /// A text given as UTF-8 and held as those bytes: for texts of many megabytes, which a QString
    /// would double. Bytes that are not valid UTF-8 are read as QString::fromUtf8 reads them.
    static TweakValue ofUtf8(QByteArray utf8);

    TweakValueType type() const;
    bool isBool() const { return type() == TweakValueType::bool_; }
    bool isInt() const { return type() == TweakValueType::int_; }
    bool isDouble() const { return type() == TweakValueType::double_; }
    bool isString() const { return type() == TweakValueType::string; }

    /// The payload; asking for another case than the value holds gives that case's zero.
    bool toBool() const;
    qint64 toInt() const;
    double toDouble() const;
    QString toString() const;
    /// The text as UTF-8: the bytes held, unconverted, for a text made by `ofUtf8`.
    QByteArray toUtf8() const;
    /// Whether the text is held as UTF-8 bytes.
    bool holdsUtf8() const { return m_payload.index() == 4; }

    /// The coded form kept in profiles: one key naming the case, holding {"_0": payload}.
    /// A QVariantMap, so the property-list and JSON codecs both carry it unchanged; a text held as
    /// UTF-8 is a Utf8Text there.
    QVariantMap encoded() const;
    static Result<TweakValue> decode(const QVariant &coded);

    /// The text shown in reviews: "On"/"Off", digits, two decimals, the text or "(empty)".
    QString displayText() const;

    friend bool operator==(const TweakValue &a, const TweakValue &b);
    friend bool operator!=(const TweakValue &a, const TweakValue &b) { return !(a == b); }

private:
    std::variant<bool, qint64, double, QString, Utf8Text> m_payload{false};
};

size_t qHash(const TweakValue &value, size_t seed = 0) noexcept;

/// The review's text for a value that may be missing: "(not set)" when it is.
QString displayText(const std::optional<TweakValue> &value);

} // namespace velmora
