#include "AnsibleExporter.h"

#include "common/JsonText.h"
#include "common/VariantKinds.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>
#include <optional>
#include <tuple>

namespace velmora {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AnsibleExporter", text);
}

QString unsafe(const QString &text)
{
    return QStringLiteral("!unsafe ") + AnsibleExporter::quoted(text);
}

// A number YAML reads back as a float: with a point, and an exponent only after one ("1.0e+16").
QString yamlFloat(double value)
{
    QString text = shortestDecimalText(value);
    if (!text.contains(QLatin1Char('.'))) {
        const qsizetype e = text.indexOf(QLatin1Char('e'));
        text.insert(e < 0 ? text.size() : e, QStringLiteral(".0"));
    }
    return text;
}

// The module's type and the YAML of a scalar value; nothing for what it cannot write.
std::optional<std::pair<QString, QString>> scalar(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return std::make_pair(QStringLiteral("bool"),
                              value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
    if (isIntegerVariant(value) && (value.typeId() != QMetaType::ULongLong ||
                                    value.toULongLong() <= quint64(std::numeric_limits<qint64>::max())))
        return std::make_pair(QStringLiteral("int"), QString::number(value.toLongLong()));
    if (isFloatingVariant(value) && std::isfinite(value.toDouble()))
        return std::make_pair(QStringLiteral("float"), yamlFloat(value.toDouble()));
    if (value.typeId() == QMetaType::QString)
        return std::make_pair(QStringLiteral("string"), unsafe(value.toString()));
    return std::nullopt;
}

// A flow sequence of texts: the module's arrays hold texts only.
std::optional<QString> textArray(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList items;
    for (const QVariant &item : value.toList()) {
        if (item.typeId() != QMetaType::QString)
            return std::nullopt;
        items << unsafe(item.toString());
    }
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// A block mapping (indented under `value:`) of single values.
std::optional<QString> flatDictionary(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = value.toMap();
    if (map.isEmpty())
        return QStringLiteral("{}");
    QString block;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const auto entry = scalar(it.value());
        if (!entry)
            return std::nullopt;
        block += QStringLiteral("\n      %1: %2").arg(unsafe(it.key()), entry->second);
    }
    return block;
}

} // namespace

QString AnsibleExporter::quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            // Other control characters, and the characters YAML counts as line breaks, escaped so
            // the string stays on its line and reads back the same.
            if (c.category() == QChar::Other_Control || c.unicode() == 0x85 || c == QChar::LineSeparator ||
                c == QChar::ParagraphSeparator)
                out += QStringLiteral("\\u%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

Result<QByteArray> AnsibleExporter::renderPlan(const ExportPlan &plan, QList<ExportPlan::Skip> &skipped) const
{
    if (plan.picture)
        skipped.append({plan.picture->tweakID, plan.picture->title,
                        tr("a desktop picture is not a preference that osx_defaults writes")});

    QStringList tasks;
    for (const ExportPlan::Setting &setting : plan.settings) {
        QString type;
        QString value;
        if (const auto single = scalar(setting.value)) {
            std::tie(type, value) = *single;
        } else if (std::optional<QString> list = textArray(setting.value)) {
            type = QStringLiteral("array");
            value = *list;
        } else if (std::optional<QString> map = flatDictionary(setting.value)) {
            // The module writes dictionaries since community.general 12.5.
            type = QStringLiteral("dict");
            value = *map;
        }
        if (type.isEmpty()) {
            skipped.append({setting.tweakID, setting.title,
                            tr("osx_defaults writes single values, arrays of texts and dictionaries of "
                               "single values, not the %1 of %2")
                                .arg(setting.key, setting.domain)});
            continue;
        }
        QStringList lines{QStringLiteral("- name: %1").arg(quoted(setting.title)),
                          QStringLiteral("  community.general.osx_defaults:"),
                          QStringLiteral("    domain: %1").arg(unsafe(setting.domain)),
                          QStringLiteral("    key: %1").arg(unsafe(setting.key))};
        if (setting.currentHost)
            lines << QStringLiteral("    host: currentHost");
        lines << QStringLiteral("    type: %1").arg(type) << QStringLiteral("    value: %1").arg(value)
              << QStringLiteral("    state: present");
        tasks << lines.join(QLatin1Char('\n'));
    }
    for (RestartTarget target : plan.restarts) {
        // A process that is not running has nothing to pick up: killall's failure then is no failure.
        tasks << QStringLiteral("- name: %1\n"
                                "  ansible.builtin.command:\n"
                                "    argv: [\"killall\", %2]\n"
                                "  changed_when: true\n"
                                "  failed_when: false")
                     .arg(quoted(QStringLiteral("Restart ") + rawValue(target)), quoted(rawValue(target)));
    }

    QStringList header{
        QStringLiteral("# ") + headline(plan),
        QStringLiteral("# Ansible tasks for the Macs to set up (community.general.osx_defaults).")};
    for (const ExportPlan::Skip &skip : skipped)
        header << ExportPlan::oneLine(
            QStringLiteral("# Not in these tasks: %1 (%2): %3").arg(skip.title, skip.tweakID, skip.reason));
    QString text = header.join(QLatin1Char('\n')) + QStringLiteral("\n---\n");
    text += tasks.isEmpty() ? QStringLiteral("[]\n") : tasks.join(QStringLiteral("\n\n")) + QLatin1Char('\n');
    return text.toUtf8();
}

} // namespace velmora
