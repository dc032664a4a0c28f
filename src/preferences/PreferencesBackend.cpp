#include "PreferencesBackend.h"

#include "common/JsonText.h"
#include "common/VariantKinds.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"
#include "plist/OpenStepText.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace velmora {

namespace {

const QString kGlobalDomain = QStringLiteral("NSGlobalDomain");

bool isMap(const QVariant &v)
{
    return v.typeId() == QMetaType::QVariantMap;
}

// Booleans count as numbers 0 and 1, as the preferences service hands them over.
bool isNumber(const QVariant &v)
{
    return v.typeId() == QMetaType::Bool || isIntegerVariant(v) || isFloatingVariant(v);
}

// A number's integer value, truncated toward zero; nothing when it does not fit in 64 bits.
std::optional<qint64> integerValue(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong) {
        const quint64 u = v.toULongLong();
        if (u > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(u);
    }
    if (isFloatingVariant(v)) {
        const double d = std::trunc(v.toDouble());
        if (!std::isfinite(d) || d < -9223372036854775808.0 || d >= 9223372036854775808.0)
            return std::nullopt;
        return qint64(d);
    }
    return v.toLongLong();
}

// A whole decimal number: an optional sign and digits, nothing else, within the signed 64-bit range.
std::optional<qint64> wholeNumber(const QString &text)
{
    // Anchored at both ends of the whole text: "$" alone would let a final newline through.
    static const QRegularExpression shape(QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+")));
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const QString digits = text.startsWith(QLatin1Char('+')) ? text.mid(1) : text;
    const qint64 n = digits.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

// A text that parses completely as a floating-point number in the C locale.
std::optional<double> decimalNumber(const QString &text)
{
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return std::nullopt;
    bool ok = false;
    const double d = QLocale::c().toDouble(text, &ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

} // namespace

std::optional<TweakValue> PreferencesBackend::convert(const QVariant &stored, TweakValueType type)
{
    if (!stored.isValid())
        return std::nullopt;
    switch (type) {
    case TweakValueType::bool_:
        if (stored.typeId() == QMetaType::Bool)
            return TweakValue::ofBool(stored.toBool());
        if (isNumber(stored))
            return TweakValue::ofBool(isFloatingVariant(stored) ? stored.toDouble() != 0.0
                                                                : stored.toULongLong() != 0);
        return std::nullopt;
    case TweakValueType::int_:
        if (isNumber(stored)) {
            const std::optional<qint64> n = integerValue(stored);
            return n ? std::optional<TweakValue>(TweakValue::ofInt(*n)) : std::nullopt;
        }
        if (stored.typeId() == QMetaType::QString) {
            const std::optional<qint64> n = wholeNumber(stored.toString());
            return n ? std::optional<TweakValue>(TweakValue::ofInt(*n)) : std::nullopt;
        }
        return std::nullopt;
    case TweakValueType::double_:
        if (isNumber(stored))
            return TweakValue::ofDouble(stored.typeId() == QMetaType::Bool ? (stored.toBool() ? 1.0 : 0.0)
                                                                           : stored.toDouble());
        if (stored.typeId() == QMetaType::QString) {
            const std::optional<double> d = decimalNumber(stored.toString());
            return d ? std::optional<TweakValue>(TweakValue::ofDouble(*d)) : std::nullopt;
        }
        return std::nullopt;
    case TweakValueType::string:
        if (stored.typeId() == QMetaType::QString)
            return TweakValue::ofString(stored.toString());
        return TweakValue::ofString(OpenStepText::describe(stored));
    }
    return std::nullopt;
}

QString PreferencesBackend::applicationID(const QString &domain)
{
    return domain == kGlobalDomain ? PreferenceStore::anyApplication() : domain;
}

std::optional<TweakValue> PreferencesBackend::read(const PreferenceKey &key) const
{
    const QVariant stored = m_platform->preferences().copyAppValue(key.key, applicationID(key.domain));
    if (!key.dictionaryEntry)
        return convert(stored, key.type);
    // A plain number under a key the system keeps as a dictionary is ignored by the system, so it
    // reads as nothing set rather than as a value that has no effect.
    if (!isMap(stored))
        return std::nullopt;
    return convert(stored.toMap().value(*key.dictionaryEntry), key.type);
}

QVariant PreferencesBackend::storedValue(const PreferenceKey &key, const TweakValue &value)
{
    QVariant plain;
    switch (value.type()) {
    case TweakValueType::bool_: plain = value.toBool(); break;
    case TweakValueType::int_: plain = value.toInt(); break;
    case TweakValueType::double_: plain = value.toDouble(); break;
    case TweakValueType::string: plain = value.toString(); break;
    }
    if (!key.dictionaryEntry)
        return plain;
    return QVariantMap{{*key.dictionaryEntry, plain}};
}

QStringList PreferencesBackend::writeArguments(const PreferenceKey &key, const TweakValue &value)
{
    QStringList arguments{QStringLiteral("write"), key.domain, key.key};
    if (key.dictionaryEntry)
        arguments << QStringLiteral("-dict-add") << *key.dictionaryEntry;
    return arguments + typedArguments(value);
}

QStringList PreferencesBackend::typedArguments(const TweakValue &value)
{
    switch (value.type()) {
    case TweakValueType::bool_:
        return {QStringLiteral("-bool"), value.toBool() ? QStringLiteral("true") : QStringLiteral("false")};
    case TweakValueType::int_: return {QStringLiteral("-int"), QString::number(value.toInt())};
    case TweakValueType::double_: return {QStringLiteral("-float"), shortestDecimalText(value.toDouble())};
    case TweakValueType::string: return {QStringLiteral("-string"), value.toString()};
    }
    return {};
}

QCoro::Task<PreferencesBackend::WriteStatus> PreferencesBackend::write(QString domain, QString key,
                                                                       TweakValue value) const
{
    const QStringList arguments = QStringList{QStringLiteral("write"), domain, key} + typedArguments(value);
    co_return co_await runWrite(arguments);
}

QCoro::Task<PreferencesBackend::WriteStatus> PreferencesBackend::write(PreferenceKey key,
                                                                       TweakValue value) const
{
    QStringList arguments = writeArguments(key, value);
    if (key.dictionaryEntry) {
        // `-dict-add` refuses to add to a value that is no dictionary (the plain number older
        // versions of this application wrote): that one is replaced whole, having no entries to keep.
        const QVariant stored = m_platform->preferences().copyAppValue(key.key, applicationID(key.domain));
        if (stored.isValid() && !isMap(stored))
            arguments[3] = QStringLiteral("-dict");
    }
    co_return co_await runWrite(arguments);
}

QCoro::Task<PreferencesBackend::WriteStatus> PreferencesBackend::deleteValue(PreferenceKey key) const
{
    if (!key.dictionaryEntry)
        co_return co_await deleteValue(key.domain, key.key);
    const QVariant stored = m_platform->preferences().copyAppValue(key.key, applicationID(key.domain));
    QVariantMap others = isMap(stored) ? stored.toMap() : QVariantMap();
    others.remove(*key.dictionaryEntry);
    if (others.isEmpty())
        co_return co_await deleteValue(key.domain, key.key);
    // `defaults` has no verb that removes one entry: the dictionary is written again without it.
    QStringList arguments{QStringLiteral("write"), key.domain, key.key, QStringLiteral("-dict")};
    for (auto it = others.cbegin(); it != others.cend(); ++it) {
        arguments << it.key();
        const std::optional<TweakValue> scalar =
            it->typeId() == QMetaType::Bool      ? convert(*it, TweakValueType::bool_)
            : isIntegerVariant(*it)              ? convert(*it, TweakValueType::int_)
            : isFloatingVariant(*it)             ? convert(*it, TweakValueType::double_)
            : it->typeId() == QMetaType::QString ? convert(*it, TweakValueType::string)
                                                 : std::nullopt;
        // Anything else goes as old-style text, which the tool reads back as the same value.
        arguments << (scalar ? typedArguments(*scalar) : QStringList{OpenStepText::describe(*it)});
    }
    co_return co_await runWrite(arguments);
}

QCoro::Task<PreferencesBackend::WriteStatus> PreferencesBackend::runWrite(QStringList arguments) const
{
    const ShellRunner::RunResult run = co_await ShellRunner().run(m_platform->defaultsToolPath(), arguments);
    if (!run)
        co_return WriteStatus::failure(run.error());
    if (run->exitCode != 0)
        co_return WriteStatus::failure(ShellError::nonZeroExit(
            ShellError::commandLine(QStringLiteral("defaults"), arguments), run.value()));
    co_return WriteStatus::success();
}

QCoro::Task<PreferencesBackend::WriteStatus> PreferencesBackend::deleteValue(QString domain,
                                                                             QString key) const
{
    const QStringList arguments{QStringLiteral("delete"), domain, key};
    const ShellRunner::RunResult run = co_await ShellRunner().run(m_platform->defaultsToolPath(), arguments);
    if (!run)
        co_return WriteStatus::failure(run.error());
    // Deleting what is not there is success. Older systems say the pair "does not exist"; current
    // ones say "Domain (…) not found." for a missing key as well as for a missing domain.
    const QString &err = run->standardError;
    if (run->exitCode == 0 || err.contains(QLatin1String("does not exist")) ||
        err.contains(QLatin1String("not found")))
        co_return WriteStatus::success();
    co_return WriteStatus::failure(
        ShellError::nonZeroExit(ShellError::commandLine(QStringLiteral("defaults"), arguments), run.value()));
}

} // namespace velmora
