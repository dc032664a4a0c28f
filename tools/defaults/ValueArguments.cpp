#include "ValueArguments.h"

#include "common/MessageText.h"
#include "plist/OpenStepText.h"
#include "plist/PropertyList.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

#include <cstdlib>
#include <locale.h>

namespace velmora::defaults {

namespace {

const QStringList kTypeFlags = {
    QStringLiteral("-string"), QStringLiteral("-int"),  QStringLiteral("-integer"),
    QStringLiteral("-float"),  QStringLiteral("-bool"), QStringLiteral("-boolean"),
    QStringLiteral("-date"),   QStringLiteral("-data"),
};

Result<QVariant> cannotWrite(const QString &text, const QString &asWhat)
{
    // The refused text is quoted short and on one line: the message is one line, whatever was typed.
    return Result<QVariant>::failure(
        QStringLiteral("Cannot write \"%1\" as %2.").arg(abbreviatedForMessage(text), asWhat));
}

Result<QVariant> integerValue(const QString &text)
{
    // Whole-text patterns are anchored at both ends: "$" would also match before a final newline.
    static const QRegularExpression shape(QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+")));
    if (!shape.match(text).hasMatch())
        return cannotWrite(text, QStringLiteral("an integer"));
    bool ok = false;
    const qint64 n = (text.startsWith(QLatin1Char('+')) ? text.mid(1) : text).toLongLong(&ok, 10);
    if (!ok)
        return cannotWrite(text, QStringLiteral("an integer (it is outside the 64-bit range)"));
    return QVariant::fromValue(n);
}

Result<QVariant> floatValue(const QString &text)
{
    // QCoreApplication adopts the user's locale, in which strtod may want a decimal comma; scripts
    // write "0.5" whatever the locale, so read the number in the C locale.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const QByteArray bytes = text.toUtf8();
    const char *begin = bytes.constData();
    char *end = nullptr;
    const double d = strtod_l(begin, &end, cLocale);
    if (bytes.isEmpty() || end != begin + bytes.size())
        return cannotWrite(text, QStringLiteral("a floating-point number"));
    return QVariant(d);
}

Result<QVariant> boolValue(const QString &text)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
        return QVariant(true);
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0)
        return QVariant(false);
    return cannotWrite(text, QStringLiteral("a boolean (use true, false, yes or no)"));
}

Result<QVariant> dateValue(const QString &text)
{
    // The form `defaults read` prints, so what it prints can be written back.
    static const QRegularExpression printed(QRegularExpression::anchoredPattern(
        QStringLiteral("(\\d{4})-(\\d{2})-(\\d{2}) (\\d{2}):(\\d{2}):(\\d{2}) ([+-])(\\d{2})(\\d{2})")));
    const QRegularExpressionMatch m = printed.match(text);
    QDateTime date;
    if (m.hasMatch()) {
        const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        const int offsetSeconds = (m.captured(8).toInt() * 60 + m.captured(9).toInt()) * 60 *
                                  (m.captured(7) == QLatin1String("-") ? -1 : 1);
        if (day.isValid() && time.isValid() && m.captured(8).toInt() < 24 && m.captured(9).toInt() < 60)
            date = QDateTime(day, time, QTimeZone(offsetSeconds));
    } else if (!text.isEmpty() && text.front().isDigit()) {
        date = QDateTime::fromString(text, Qt::ISODate);
        // The simulated Mac has no time zone of its own: a date without one is taken as UTC, so a
        // script gives the same file wherever it runs.
        if (date.isValid() && date.timeSpec() == Qt::LocalTime)
            date = QDateTime(date.date(), date.time(), Qt::UTC);
    }
    if (!date.isValid())
        return cannotWrite(text, QStringLiteral("a date (use \"2024-01-02 03:04:05 +0000\", "
                                                "2024-01-02T03:04:05Z or 2024-01-02)"));
    return QVariant(date.toUTC());
}

Result<QVariant> dataValue(const QString &text)
{
    static const QRegularExpression shape(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9A-Fa-f]{2})*")));
    if (!shape.match(text).hasMatch())
        return cannotWrite(text, QStringLiteral("data (use an even number of hex digits)"));
    return QVariant(QByteArray::fromHex(text.toLatin1()));
}

} // namespace

bool isTypeFlag(const QString &argument)
{
    return kTypeFlags.contains(argument);
}

Result<QVariant> typedValue(const QString &flag, const QString &text)
{
    if (flag == QLatin1String("-string"))
        return QVariant(text);
    if (flag == QLatin1String("-int") || flag == QLatin1String("-integer"))
        return integerValue(text);
    if (flag == QLatin1String("-float"))
        return floatValue(text);
    if (flag == QLatin1String("-bool") || flag == QLatin1String("-boolean"))
        return boolValue(text);
    if (flag == QLatin1String("-date"))
        return dateValue(text);
    if (flag == QLatin1String("-data"))
        return dataValue(text);
    return Result<QVariant>::failure(QStringLiteral("Unknown type %1.").arg(flag));
}

QVariant untypedValue(const QString &text)
{
    if (Result<QVariant> parsed = OpenStepText::parse(text))
        return std::move(parsed).value();
    if (text.trimmed().startsWith(QLatin1Char('<'))) {
        const QString document =
            text.contains(QLatin1String("<plist"))
                ? text
                : QStringLiteral("<plist version=\"1.0\">") + text + QStringLiteral("</plist>");
        if (Result<QVariant> parsed = PropertyList::parse(document.toUtf8()))
            return std::move(parsed).value();
    }
    return QVariant(text);
}

Result<QVariant> takeValue(const QStringList &arguments, qsizetype &index)
{
    if (index >= arguments.size())
        return Result<QVariant>::failure(QStringLiteral("Missing value."));
    const QString &argument = arguments[index];
    if (isTypeFlag(argument)) {
        if (index + 1 >= arguments.size())
            return Result<QVariant>::failure(QStringLiteral("Missing value after %1.").arg(argument));
        index += 2;
        return typedValue(argument, arguments[index - 1]);
    }
    if (argument == QLatin1String("-array") || argument == QLatin1String("-array-add") ||
        argument == QLatin1String("-dict") || argument == QLatin1String("-dict-add"))
        return Result<QVariant>::failure(
            QStringLiteral("%1 cannot be nested; give a nested value as old-style or XML text.")
                .arg(argument));
    ++index;
    return untypedValue(argument);
}

} // namespace velmora::defaults
