#include "NixExporter.h"

#include "common/JsonText.h"
#include "common/VariantKinds.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>
#include <optional>

namespace velmora {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("NixExporter", text);
}

// A Nix float literal: digits with a point, the exponent after it ("1.0e+16"); a negative one in
// parentheses, since a list element cannot start with a minus.
QString nixFloat(double value)
{
    QString text = shortestDecimalText(std::fabs(value));
    if (!text.contains(QLatin1Char('.'))) {
        const qsizetype e = text.indexOf(QLatin1Char('e'));
        text.insert(e < 0 ? text.size() : e, QStringLiteral(".0"));
    }
    return std::signbit(value) ? QStringLiteral("(-%1)").arg(text) : text;
}

// The Nix expression of a value, indented for `depth`; nothing for what Nix cannot hold (data, dates,
// integers beyond 64 bits, infinities).
std::optional<QString> expression(const QVariant &value, int depth)
{
    const QString indent(2 * depth, QLatin1Char(' '));
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (isIntegerVariant(value)) {
        if (value.typeId() == QMetaType::ULongLong &&
            value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        const qint64 n = value.toLongLong();
        return n < 0 ? QStringLiteral("(%1)").arg(n) : QString::number(n);
    }
    if (isFloatingVariant(value)) {
        if (!std::isfinite(value.toDouble()))
            return std::nullopt;
        return nixFloat(value.toDouble());
    }
    if (value.typeId() == QMetaType::QString)
        return NixExporter::quoted(value.toString());
    if (value.typeId() == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        if (list.isEmpty())
            return QStringLiteral("[ ]");
        QString text = QStringLiteral("[\n");
        for (const QVariant &item : list) {
            const std::optional<QString> element = expression(item, depth + 1);
            if (!element)
                return std::nullopt;
            text += indent + QStringLiteral("  ") + *element + QLatin1Char('\n');
        }
        return text + indent + QLatin1Char(']');
    }
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        if (map.isEmpty())
            return QStringLiteral("{ }");
        QString text = QStringLiteral("{\n");
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const std::optional<QString> element = expression(it.value(), depth + 1);
            if (!element)
                return std::nullopt;
            text += indent + QStringLiteral("  ") + NixExporter::quoted(it.key()) + QStringLiteral(" = ") +
                    *element + QStringLiteral(";\n");
        }
        return text + indent + QLatin1Char('}');
    }
    return std::nullopt;
}

} // namespace

QString NixExporter::quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '$':
            // "${" would begin an interpolation; "$" alone is text.
            out += i + 1 < text.size() && text.at(i + 1) == QLatin1Char('{') ? QStringLiteral("\\$")
                                                                             : QStringLiteral("$");
            break;
        default: out += c;
        }
    }
    return out + QLatin1Char('"');
}

Result<QByteArray> NixExporter::renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const
{
    if (plan.picture)
        skipped.append({plan.picture->tweakID, plan.picture->title,
                        tr("a desktop picture is not a preference that CustomUserPreferences sets")});

    // Domains in the order their first setting comes, keys in the order they come.
    QStringList domains;
    QHash<QString, QStringList> entries;
    for (const ExportPlan::Setting &setting : plan.settings) {
        if (setting.currentHost) {
            skipped.append({setting.tweakID, setting.title,
                            tr("it is kept per machine (-currentHost), which CustomUserPreferences cannot "
                               "set")});
            continue;
        }
        const std::optional<QString> value = expression(setting.value, 3);
        if (!value) {
            skipped.append({setting.tweakID, setting.title,
                            tr("Nix has no form for the %1 of %2 (it holds data, a date or a number out of "
                               "range)")
                                .arg(setting.key, setting.domain)});
            continue;
        }
        if (!entries.contains(setting.domain))
            domains << setting.domain;
        entries[setting.domain] << QStringLiteral("      %1 = %2;").arg(quoted(setting.key), *value);
    }

    QStringList lines{QStringLiteral("# ") + headline(plan),
                      QStringLiteral("# A nix-darwin module: add it to the imports of your configuration.")};
    for (const ExportPlan::Skip &skip : skipped)
        lines << ExportPlan::oneLine(
            QStringLiteral("# Not in this module: %1 (%2): %3").arg(skip.title, skip.tweakID, skip.reason));
    if (!plan.restarts.isEmpty()) {
        QStringList names;
        for (RestartTarget target : plan.restarts)
            names << rawValue(target);
        lines << QStringLiteral("# Restart afterwards for the settings to show: killall %1")
                     .arg(names.join(QStringLiteral("; killall ")));
    }
    lines << QStringLiteral("{") << QStringLiteral("  system.defaults.CustomUserPreferences = {");
    for (const QString &domain : std::as_const(domains)) {
        lines << QStringLiteral("    %1 = {").arg(quoted(domain));
        lines << entries.value(domain);
        lines << QStringLiteral("    };");
    }
    lines << QStringLiteral("  };") << QStringLiteral("}");
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

} // namespace velmora
