#include "ValueParser.h"

#include "common/JsonText.h"

#include <QLocale>

#include <limits>

namespace velmora {

namespace {

QString optionList(const QList<TweakOption> &options)
{
    QStringList shown;
    for (const TweakOption &o : options)
        shown << QStringLiteral("\"%1\" (%2)")
                     .arg(o.label, o.value.isString() ? o.value.toString() : o.value.displayText());
    return shown.join(QStringLiteral(", "));
}

QString optionValueText(const TweakValue &value)
{
    switch (value.type()) {
    case TweakValueType::int_: return QString::number(value.toInt());
    case TweakValueType::double_: return shortestDecimalText(value.toDouble());
    case TweakValueType::bool_: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case TweakValueType::string: return value.toString();
    }
    return QString();
}

} // namespace

Result<TweakValue> parseValueForTweak(const Tweak &tweak, const QString &text)
{
    using R = Result<TweakValue>;
    const QString lower = text.trimmed().toLower();
    switch (tweak.kind.type()) {
    case TweakKind::Type::toggle:
        if (lower == QLatin1String("on") || lower == QLatin1String("true") || lower == QLatin1String("yes") ||
            lower == QLatin1String("1"))
            return TweakValue::ofBool(true);
        if (lower == QLatin1String("off") || lower == QLatin1String("false") ||
            lower == QLatin1String("no") || lower == QLatin1String("0"))
            return TweakValue::ofBool(false);
        return R::failure(
            QStringLiteral("%1 is a switch: give on or off (also true/false, yes/no, 1/0), not \"%2\".")
                .arg(tweak.id, text));
    case TweakKind::Type::integer: {
        const TweakKind::Integer bounds = tweak.kind.integerBounds();
        const qint64 min = bounds.min.value_or(std::numeric_limits<qint64>::min());
        const qint64 max = bounds.max.value_or(std::numeric_limits<qint64>::max());
        bool ok = false;
        const qint64 n = QLocale::c().toLongLong(text.trimmed(), &ok);
        if (!ok || n < min || n > max)
            return R::failure(QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\".")
                                  .arg(tweak.id, QString::number(min), QString::number(max), text));
        return TweakValue::ofInt(n);
    }
    case TweakKind::Type::decimal: {
        const TweakKind::Decimal bounds = tweak.kind.decimalBounds();
        const double min = bounds.min.value_or(0.0);
        const double max = bounds.max.value_or(1.0);
        bool ok = false;
        const double d = QLocale::c().toDouble(text.trimmed(), &ok);
        if (!ok || !(d >= min && d <= max))
            return R::failure(QStringLiteral("%1 takes a number from %2 to %3, not \"%4\".")
                                  .arg(tweak.id, QString::number(min), QString::number(max), text));
        return TweakValue::ofDouble(d);
    }
    case TweakKind::Type::picker: {
        const QList<TweakOption> &options = tweak.kind.options();
        for (const TweakOption &o : options) {
            if (o.label == text)
                return o.value;
        }
        for (const TweakOption &o : options) {
            if (optionValueText(o.value) == text)
                return o.value;
        }
        for (const TweakOption &o : options) {
            if (o.label.compare(text, Qt::CaseInsensitive) == 0)
                return o.value;
        }
        return R::failure(QStringLiteral("%1 takes one of %2; \"%3\" is none of them.")
                              .arg(tweak.id, optionList(options), text));
    }
    case TweakKind::Type::text:
    case TweakKind::Type::path: return TweakValue::ofString(text);
    }
    return R::failure(QStringLiteral("%1 cannot be set from the command line.").arg(tweak.id));
}

} // namespace velmora
