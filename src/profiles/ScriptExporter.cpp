#include "ScriptExporter.h"

#include "common/JsonText.h"
#include "common/VariantKinds.h"
#include "plist/PropertyList.h"

#include <QCoreApplication>

#include <limits>

namespace velmora {

namespace {

// A value in the XML form `defaults` reads as an argument: the element alone, without the document
// around it.
QString xmlFragment(const QVariant &value)
{
    const Result<QByteArray> document = PropertyList::serialize(value, PropertyList::Format::xml);
    if (!document)
        return QString();
    const QString text = QString::fromUtf8(*document);
    const QString open = QStringLiteral("<plist version=\"1.0\">");
    const qsizetype begin = text.indexOf(open);
    const qsizetype end = text.lastIndexOf(QStringLiteral("</plist>"));
    if (begin < 0 || end < begin)
        return QString();
    return text.mid(begin + open.size(), end - begin - open.size()).trimmed();
}

// The type flag and value of a single value; nested containers, data and dates as XML.
QStringList scalarWords(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return {QStringLiteral("-bool"), value.toBool() ? QStringLiteral("true") : QStringLiteral("false")};
    // Integers above the signed 64-bit range go as XML, which carries them whole.
    if (isIntegerVariant(value) && (value.typeId() != QMetaType::ULongLong ||
                                    value.toULongLong() <= quint64(std::numeric_limits<qint64>::max())))
        return {QStringLiteral("-int"), QString::number(value.toLongLong())};
    if (isFloatingVariant(value))
        return {QStringLiteral("-float"), shortestDecimalText(value.toDouble())};
    if (value.typeId() == QMetaType::QString)
        return {QStringLiteral("-string"), ScriptExporter::quoted(value.toString())};
    return {ScriptExporter::quoted(xmlFragment(value))};
}

} // namespace

QString ScriptExporter::quoted(const QString &text)
{
    QString word = text;
    word.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + word + QLatin1Char('\'');
}

QStringList ScriptExporter::valueWords(const QVariant &value)
{
    if (value.typeId() == QMetaType::QVariantList) {
        QStringList words{QStringLiteral("-array")};
        for (const QVariant &item : value.toList())
            words << scalarWords(item);
        return words;
    }
    if (value.typeId() == QMetaType::QVariantMap) {
        QStringList words{QStringLiteral("-dict")};
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            words << quoted(it.key()) << scalarWords(it.value());
        return words;
    }
    return scalarWords(value);
}

Result<QByteArray> ScriptExporter::renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const
{
    if (plan.picture)
        skipped.append({plan.picture->tweakID, plan.picture->title,
                        QCoreApplication::translate(
                            "ScriptExporter", "a desktop picture is not a preference that defaults writes")});

    QStringList lines{
        QStringLiteral("#!/bin/sh"), QStringLiteral("# ") + headline(plan),
        QStringLiteral("# Run it with sh: it writes each setting with defaults, then restarts what "
                       "must pick the settings up.")};
    for (const ExportPlan::Skip &skip : skipped)
        lines << ExportPlan::oneLine(
            QStringLiteral("# Not in this script: %1 (%2): %3").arg(skip.title, skip.tweakID, skip.reason));
    lines << QStringLiteral("set -e") << QString();

    for (const ExportPlan::Setting &setting : plan.settings) {
        QStringList words{QStringLiteral("defaults")};
        if (setting.currentHost)
            words << QStringLiteral("-currentHost");
        words << QStringLiteral("write") << quoted(setting.domain) << quoted(setting.key)
              << valueWords(setting.value);
        lines << words.join(QLatin1Char(' '));
    }
    if (!plan.restarts.isEmpty())
        lines << QString();
    // A process that is not running has nothing to pick up: killall's failure then is no failure.
    for (RestartTarget target : plan.restarts)
        lines << QStringLiteral("killall %1 >/dev/null 2>&1 || true").arg(quoted(rawValue(target)));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

} // namespace velmora
