#include "ScriptImport.h"

#include "DefaultsScriptReader.h"
#include "catalogue/TweakRegistry.h"
#include "common/JsonText.h"
#include "common/RegularFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace velmora {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ScriptImport", text);
}

// Scripts of settings are a few kilobytes; a file far larger is not one.
constexpr qint64 kMaxScriptBytes = 16 * 1024 * 1024;

QString typeName(TweakValueType type)
{
    switch (type) {
    case TweakValueType::bool_: return tr("on or off (true or false)");
    case TweakValueType::int_: return tr("a whole number");
    case TweakValueType::double_: return tr("a number");
    case TweakValueType::string: return tr("a text");
    }
    return {};
}

// A value as a script would write it.
QString plainText(const TweakValue &value)
{
    switch (value.type()) {
    case TweakValueType::bool_: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case TweakValueType::int_: return QString::number(value.toInt());
    case TweakValueType::double_: return shortestDecimalText(value.toDouble());
    case TweakValueType::string: return value.toString();
    }
    return {};
}

std::optional<bool> booleanText(const QString &text, bool digitsToo)
{
    for (const char *yes : {"true", "yes"}) {
        if (text.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const char *no : {"false", "no"}) {
        if (text.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
            return false;
    }
    if (digitsToo && (text == QLatin1String("1") || text == QLatin1String("0")))
        return text == QLatin1String("1");
    return std::nullopt;
}

std::optional<qint64> wholeNumber(const QString &text)
{
    static const QRegularExpression shape(QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+")));
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 n = (text.startsWith(u'+') ? text.mid(1) : text).toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<double> decimalNumber(const QString &text)
{
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return std::nullopt;
    bool ok = false;
    const double d = QLocale::c().toDouble(text, &ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

// One value word read as the tweak's declared type: as its type flag says when it has one that fits,
// else as the type itself says (a value without a flag, or -int 0/1 for a switch).
Result<TweakValue> typedValue(const QString &form, const QString &text, TweakValueType type)
{
    using R = Result<TweakValue>;
    const QString mismatch = tr("A %1 value, but this setting is %2.").arg(form, typeName(type));
    switch (type) {
    case TweakValueType::bool_:
        if (form == QLatin1String("-int")) {
            const std::optional<qint64> n = wholeNumber(text);
            if (n && (*n == 0 || *n == 1))
                return TweakValue::ofBool(*n == 1);
            return R::failure(tr("A switch takes -int 0 or 1, not “%1”.").arg(text));
        }
        if (form.isEmpty() || form == QLatin1String("-bool")) {
            if (const std::optional<bool> b = booleanText(text, form.isEmpty()))
                return TweakValue::ofBool(*b);
            return R::failure(tr("“%1” is not on or off (true, false, yes or no).").arg(text));
        }
        return R::failure(mismatch);
    case TweakValueType::int_:
        if (form.isEmpty() || form == QLatin1String("-int")) {
            if (const std::optional<qint64> n = wholeNumber(text))
                return TweakValue::ofInt(*n);
            return R::failure(tr("“%1” is not a whole number.").arg(text));
        }
        return R::failure(mismatch);
    case TweakValueType::double_:
        if (form.isEmpty() || form == QLatin1String("-float") || form == QLatin1String("-int")) {
            const std::optional<double> d =
                form == QLatin1String("-int")
                    ? (wholeNumber(text) ? std::optional<double>(*wholeNumber(text)) : std::nullopt)
                    : decimalNumber(text);
            if (d)
                return TweakValue::ofDouble(*d);
            return R::failure(tr("“%1” is not a number.").arg(text));
        }
        return R::failure(mismatch);
    case TweakValueType::string:
        if (form.isEmpty() || form == QLatin1String("-string"))
            return TweakValue::ofString(text);
        return R::failure(mismatch);
    }
    return R::failure(mismatch);
}

// The value a `defaults write` line gives a tweak, or why it gives none.
Result<TweakValue> valueFor(const DefaultsWrite &write, const Tweak &tweak)
{
    using R = Result<TweakValue>;
    const PreferenceKey &key = *tweak.preferenceKey;
    const bool dictionary = write.form == QLatin1String("-dict") || write.form == QLatin1String("-dict-add");
    if (key.dictionaryEntry) {
        const QString &entry = *key.dictionaryEntry;
        if (!dictionary)
            return R::failure(
                tr("The system keeps this setting in a dictionary, under “%1” (-dict %1 VALUE); "
                   "a value written in its place has no effect.")
                    .arg(entry));
        const QStringList &words = write.values;
        for (qsizetype i = 0; i < words.size();) {
            const QString &name = words[i++];
            QString form;
            if (i < words.size() && !DefaultsScriptReader::valueForm(words[i]).isEmpty())
                form = DefaultsScriptReader::valueForm(words[i++]);
            if (i >= words.size())
                return R::failure(tr("The dictionary's entry “%1” has no value.").arg(name));
            const QString &text = words[i++];
            if (name == entry)
                return typedValue(form, text, key.type);
        }
        return R::failure(tr("The dictionary has no “%1” entry.").arg(entry));
    }
    if (dictionary || write.form.startsWith(QLatin1String("-array")) ||
        write.form == QLatin1String("-date") || write.form == QLatin1String("-data"))
        return R::failure(
            tr("%1 values are not imported: this setting is %2.").arg(write.form, typeName(key.type)));
    return typedValue(write.form, write.values.first(), key.type);
}

QString boundsText(const QString &low, const QString &high)
{
    if (!low.isEmpty() && !high.isEmpty())
        return tr("%1 to %2").arg(low, high);
    return low.isEmpty() ? tr("at most %1").arg(high) : tr("at least %1").arg(low);
}

// Whether a value is one the tweak offers: one of a picker's choices, within a number's bounds.
Status fits(const TweakValue &value, const Tweak &tweak)
{
    const TweakKind &kind = tweak.kind;
    switch (kind.type()) {
    case TweakKind::Type::picker: {
        QStringList choices;
        for (const TweakOption &option : kind.options()) {
            if (option.value == value)
                return Status::success();
            choices << tr("%1 (%2)").arg(plainText(option.value), option.label);
        }
        return Status::failure(tr("“%1” is not one of this setting's choices: %2.")
                                   .arg(plainText(value), choices.join(QStringLiteral(", "))));
    }
    case TweakKind::Type::integer: {
        const auto &b = kind.integerBounds();
        if ((b.min && value.toInt() < *b.min) || (b.max && value.toInt() > *b.max))
            return Status::failure(
                tr("%1 is outside this setting's range, %2.")
                    .arg(plainText(value), boundsText(b.min ? QString::number(*b.min) : QString(),
                                                      b.max ? QString::number(*b.max) : QString())));
        return Status::success();
    }
    case TweakKind::Type::decimal: {
        const auto &b = kind.decimalBounds();
        if ((b.min && value.toDouble() < *b.min) || (b.max && value.toDouble() > *b.max))
            return Status::failure(
                tr("%1 is outside this setting's range, %2.")
                    .arg(plainText(value), boundsText(b.min ? shortestDecimalText(*b.min) : QString(),
                                                      b.max ? shortestDecimalText(*b.max) : QString())));
        return Status::success();
    }
    case TweakKind::Type::toggle:
    case TweakKind::Type::text:
    case TweakKind::Type::path: return Status::success();
    }
    return Status::success();
}

// Domains compare without case, as the Mac's file system names their files.
QString lookupDomain(const QString &domain)
{
    return DefaultsScriptReader::isGlobalDomain(domain) ? QStringLiteral("nsglobaldomain") : domain.toLower();
}

QDateTime nowToTheSecond()
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
}

} // namespace

ScriptImport ScriptImport::read(const QString &script, const QString &scriptName,
                                const TweakRegistry &registry, const QString &appVersion)
{
    QHash<std::pair<QString, QString>, Tweak> byKey;
    for (const Tweak &tweak : registry.tweaks()) {
        if (tweak.preferenceKey && !tweak.servedByHandler) {
            const std::pair<QString, QString> where{lookupDomain(tweak.preferenceKey->domain),
                                                    tweak.preferenceKey->key};
            if (!byKey.contains(where))
                byKey.insert(where, tweak);
        }
    }

    ScriptImport import;
    import.m_profile.id = QUuid::createUuid();
    import.m_profile.name = tr("Imported from %1").arg(scriptName);
    import.m_profile.createdAt = nowToTheSecond();
    import.m_profile.appVersion = appVersion.isEmpty() ? QStringLiteral("0.0.0") : appVersion;
    for (const DefaultsWrite &write : DefaultsScriptReader::read(script)) {
        Line line{write.line, QString(write.text).replace(u'\n', u' '), QString(), write.problem};
        if (line.reason.isEmpty()) {
            const auto found = byKey.constFind({lookupDomain(write.domain), write.key});
            if (found == byKey.cend()) {
                line.reason =
                    tr("Not in the catalogue: no setting Velmora knows is kept under “%1” in %2.")
                        .arg(write.key, write.globalDomain ? QStringLiteral("NSGlobalDomain") : write.domain);
            } else {
                const Result<TweakValue> value = valueFor(write, *found);
                const Status fitting = value ? fits(*value, *found) : Status::failure(value.error());
                if (fitting) {
                    line.tweakID = found->id;
                    // The last write of a tweak wins, as it would when the script runs.
                    import.m_profile.values.insert(found->id, *value);
                } else {
                    line.reason = fitting.error();
                }
            }
        }
        (line.tweakID.isEmpty() ? import.m_skipped : import.m_mapped).append(std::move(line));
    }
    return import;
}

Result<ScriptImport> ScriptImport::readFile(const QString &path, const TweakRegistry &registry,
                                            const QString &appVersion)
{
    const Result<QByteArray> bytes = RegularFile::read(path, kMaxScriptBytes);
    if (!bytes)
        return Result<ScriptImport>::failure(bytes.error());
    return read(QString::fromUtf8(*bytes), QFileInfo(path).fileName(), registry, appVersion);
}

QString ScriptImport::skippedReport() const
{
    QString report;
    for (const Line &line : m_skipped)
        report += tr("line %1: %2\n    %3\n").arg(line.number).arg(line.text, line.reason);
    return report;
}

} // namespace velmora
