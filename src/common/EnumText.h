#pragma once

#include <QList>
#include <QMetaEnum>
#include <QString>

#include <optional>

namespace velmora {

/// Texts of enumerations whose stored text is the enumerator's own name (declared with Q_ENUM_NS):
/// the names come from the meta-object, so a case added to the enumeration has its text at once.

/// The enumerator's name ("smallSpacer").
template <typename Enum> QString enumText(Enum value)
{
    return QString::fromLatin1(QMetaEnum::fromType<Enum>().valueToKey(static_cast<int>(value)));
}

/// The case named exactly `text`; nothing for any other text (a qualified "Type::name" included).
template <typename Enum> std::optional<Enum> enumFromText(const QString &text)
{
    if (text.isEmpty() || text.contains(QLatin1Char(':')))
        return std::nullopt;
    bool ok = false;
    const int value = QMetaEnum::fromType<Enum>().keyToValue(text.toLatin1().constData(), &ok);
    if (!ok || enumText(static_cast<Enum>(value)) != text)
        return std::nullopt;
    return static_cast<Enum>(value);
}

/// Every case, in declaration order.
template <typename Enum> QList<Enum> allEnumValues()
{
    const QMetaEnum meta = QMetaEnum::fromType<Enum>();
    QList<Enum> values;
    values.reserve(meta.keyCount());
    for (int i = 0; i < meta.keyCount(); ++i)
        values.append(static_cast<Enum>(meta.value(i)));
    return values;
}

} // namespace velmora
