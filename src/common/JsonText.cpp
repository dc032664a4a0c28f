#include "JsonText.h"

#include "Utf8Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

#include <cmath>

namespace velmora {

QString shortestDecimalText(double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("nan")
                                 : (value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf"));
    // Plain digits for numbers of ordinary size, as most languages print doubles; an exponent
    // beyond the range where doubles still hold every whole number, and for tiny fractions.
    const double magnitude = std::abs(value);
    if (value == 0.0 || (magnitude >= 1e-4 && magnitude < 9007199254740992.0)) {
        QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
        if (!text.contains(QLatin1Char('.')))
            text += QStringLiteral(".0");
        return text;
    }
    return QString::number(value, 'e', QLocale::FloatingPointShortest);
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
    default:
        if (value.metaType() == QMetaType::fromType<Utf8Text>()) {
            // A picture's Base64 needs no escaping: copied once, never widened to UTF-16.
            const QByteArray utf8 = value.value<Utf8Text>().utf8;
            if (isPrintableAscii(utf8) && !utf8.contains('"') && !utf8.contains('\\'))
                out.append('"').append(utf8).append('"');
            else
                writeScalar(QJsonValue(QString::fromUtf8(utf8)), out);
            return;
        }
        writeScalar(QJsonValue::fromVariant(value), out);
        return;
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
