#include "JsonText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

#include <cmath>

namespace velmora {

QString shortestDecimalText(double value)
{
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    if (std::isfinite(value) && !text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QStringLiteral(".0");
    return text;
}

namespace {

void write(const QVariant &value, bool indented, int depth, QByteArray &out);

template <typename Items, typename WriteItem>
void writeContainer(const Items &items, char open, char close, bool indented, int depth, QByteArray &out,
                    WriteItem writeItem)
{
    if (items.isEmpty()) {
        out += open;
        out += close;
        return;
    }
    out += open;
    qsizetype i = 0;
    for (auto it = items.begin(); it != items.end(); ++it, ++i) {
        if (i > 0)
            out += ',';
        if (indented) {
            out += '\n';
            out += QByteArray((depth + 1) * 4, ' ');
        }
        writeItem(it);
    }
    if (indented) {
        out += '\n';
        out += QByteArray(depth * 4, ' ');
    }
    out += close;
}

void writeScalar(const QJsonValue &value, QByteArray &out)
{
    // Let Qt escape texts and format integers and booleans.
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    out += wrapped.mid(1, wrapped.size() - 2);
}

void write(const QVariant &value, bool indented, int depth, QByteArray &out)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        writeContainer(map, '{', '}', indented, depth, out, [&](QVariantMap::const_iterator it) {
            writeScalar(QJsonValue(it.key()), out);
            out += indented ? ": " : ":";
            write(it.value(), indented, depth + 1, out);
        });
        return;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        const QVariantList list = value.toList();
        writeContainer(list, '[', ']', indented, depth, out,
                       [&](QVariantList::const_iterator it) { write(*it, indented, depth + 1, out); });
        return;
    }
    case QMetaType::Double:
    case QMetaType::Float:
        if (std::isfinite(value.toDouble())) {
            out += shortestDecimalText(value.toDouble()).toLatin1();
            return;
        }
        out += "null";
        return;
    case QMetaType::UnknownType:
    case QMetaType::Nullptr: out += "null"; return;
    default: writeScalar(QJsonValue::fromVariant(value), out); return;
    }
}

} // namespace

QByteArray jsonText(const QVariant &value, bool indented)
{
    QByteArray out;
    write(value, indented, 0, out);
    if (indented)
        out += '\n';
    return out;
}

} // namespace velmora
