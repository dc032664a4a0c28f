#include "OpenStepText.h"

#include "PropertyList.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace velmora::OpenStepText {

namespace {

// Deeper than any real preference; refusing it keeps hostile input from exhausting the stack.
constexpr int kMaxDepth = 256;

QString indent(int level)
{
    return QString(qsizetype(level) * 4, QLatin1Char(' '));
}

bool isPlainWord(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool alnum = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
        if (!alnum)
            return false;
    }
    return true;
}

QString quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'"': out += QLatin1String("\\\""); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            // The system writes everything outside printable ASCII as UTF-16 units, so the text
            // stays 7-bit whatever the terminal's encoding.
            if (u < 0x20 || u >= 0x7f)
                out += QStringLiteral("\\U%1").arg(uint(u), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString token(const QString &text)
{
    return isPlainWord(text) ? text : quoted(text);
}

// printf's "%g" layout over the shortest digits that read back as the same double: whole numbers
// print without ".0", and an exponent appears only for very large or very small magnitudes.
QString doubleText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (value == 0.0)
        return std::signbit(value) ? QStringLiteral("-0") : QStringLiteral("0");

    const QString scientific = QString::number(value, 'e', QLocale::FloatingPointShortest);
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    const qsizetype ePos = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    digits.remove(QLatin1Char('.'));
    const int exponent = scientific.mid(ePos + 1).toInt();

    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent < -4 || exponent >= 16) {
        out += digits.front();
        if (digits.size() > 1)
            out += QLatin1Char('.') + digits.mid(1);
        out += exponent < 0 ? QLatin1String("e-") : QLatin1String("e+");
        out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    } else if (exponent < 0) {
        out += QLatin1String("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() <= exponent + 1) {
        out += digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        out += digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    }
    return out;
}

QString dateText(const QDateTime &date)
{
    return date.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" +0000");
}

QString dataText(const QByteArray &bytes)
{
    QString out = QStringLiteral("<");
    const QString hex = QString::fromLatin1(bytes.toHex());
    for (qsizetype i = 0; i < hex.size(); i += 8) {
        if (i > 0)
            out += QLatin1Char(' ');
        out += hex.mid(i, 8);
    }
    out += QLatin1Char('>');
    return out;
}

bool isList(const QVariant &v)
{
    return v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList;
}

bool isMap(const QVariant &v)
{
    return v.typeId() == QMetaType::QVariantMap || v.typeId() == QMetaType::QVariantHash;
}

// The description of anything that is not a container or data.
QString scalarText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType: return QString();
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short: return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort: return QString::number(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float: return doubleText(value.toDouble());
    case QMetaType::QDateTime: return dateText(value.toDateTime());
    default: break;
    }
    if (value.metaType() == QMetaType::fromType<PlistDate>())
        return dateText(value.value<PlistDate>().toDateTime());
    if (value.metaType() == QMetaType::fromType<PlistUid>())
        return QStringLiteral("<CFKeyedArchiverUID>{value = %1}").arg(value.value<PlistUid>().value);
    return value.toString();
}

// A container starts with its own indentation even where the caller has already indented (after
// "key = ", or as an array item): that doubled indent is how the system lays nested values out,
// and scripts that pick `defaults read` output apart expect it.
void write(QString &out, const QVariant &value, int level)
{
    if (isMap(value)) {
        const QVariantMap map = value.toMap();
        out += indent(level) + QLatin1String("{\n");
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            out += indent(level + 1) + token(it.key()) + QLatin1String(" = ");
            write(out, it.value(), level + 1);
            out += QLatin1String(";\n");
        }
        out += indent(level) + QLatin1Char('}');
        return;
    }
    if (isList(value)) {
        const QVariantList list = value.toList();
        out += indent(level) + QLatin1String("(\n");
        for (qsizetype i = 0; i < list.size(); ++i) {
            out += indent(level + 1);
            write(out, list[i], level + 1);
            out += i + 1 < list.size() ? QLatin1String(",\n") : QLatin1String("\n");
        }
        out += indent(level) + QLatin1Char(')');
        return;
    }
    if (value.typeId() == QMetaType::QByteArray) {
        out += dataText(value.toByteArray());
        return;
    }
    if (value.typeId() == QMetaType::QString) {
        out += token(value.toString());
        return;
    }
    out += token(scalarText(value));
}

bool isUnquotedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
        return true;
    switch (u) {
    case u'_':
    case u'$':
    case u'+':
    case u'/':
    case u':':
    case u'.':
    case u'-': return true;
    default: return false;
    }
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

struct Parser {
    const QString &text;
    qsizetype pos = 0;

    bool atEnd() const { return pos >= text.size(); }
    QChar peek(qsizetype ahead = 0) const { return pos + ahead < text.size() ? text[pos + ahead] : QChar(); }

    int lineAt(qsizetype at) const
    {
        return int(QStringView(text).left(std::min(at, text.size())).count(QLatin1Char('\n'))) + 1;
    }

    template <typename T = QVariant> Result<T> fail(const QString &what, qsizetype at = -1) const
    {
        return Result<T>::failure(QStringLiteral("%1 at line %2").arg(what).arg(lineAt(at < 0 ? pos : at)));
    }

    Status skipSpaceAndComments()
    {
        while (!atEnd()) {
            const QChar c = peek();
            if (c.isSpace()) {
                ++pos;
            } else if (c == QLatin1Char('/') && peek(1) == QLatin1Char('/')) {
                while (!atEnd() && peek() != QLatin1Char('\n'))
                    ++pos;
            } else if (c == QLatin1Char('/') && peek(1) == QLatin1Char('*')) {
                const qsizetype start = pos;
                const qsizetype close = text.indexOf(QLatin1String("*/"), pos + 2);
                if (close < 0)
                    return Status::failure(
                        QStringLiteral("Unterminated comment starting at line %1").arg(lineAt(start)));
                pos = close + 2;
            } else {
                break;
            }
        }
        return Status::success();
    }

    QString describeCharacter(QChar c) const
    {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("character U+%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
        return QStringLiteral("character '%1'").arg(c);
    }

    Result<QVariant> value(int depth)
    {
        if (Status s = skipSpaceAndComments(); !s)
            return Result<QVariant>::failure(s.error());
        if (atEnd())
            return fail(QStringLiteral("Unexpected end of text"));
        const QChar c = peek();
        if (c == QLatin1Char('{') || c == QLatin1Char('(')) {
            if (depth >= kMaxDepth)
                return fail(QStringLiteral("Values nested too deeply"));
            return c == QLatin1Char('{') ? dictionary(depth) : array(depth);
        }
        if (c == QLatin1Char('<'))
            return data();
        if (c == QLatin1Char('"') || c == QLatin1Char('\''))
            return quotedString();
        if (isUnquotedCharacter(c))
            return unquotedString();
        return fail(QStringLiteral("Unexpected %1").arg(describeCharacter(c)));
    }

    Result<QVariant> unquotedString()
    {
        const qsizetype start = pos;
        while (!atEnd() && isUnquotedCharacter(peek()))
            ++pos;
        return QVariant(text.mid(start, pos - start));
    }

    Result<QVariant> quotedString()
    {
        const qsizetype start = pos;
        const QChar quote = text[pos++];
        QString out;
        while (!atEnd()) {
            const QChar c = text[pos++];
            if (c == quote)
                return QVariant(out);
            if (c != QLatin1Char('\\')) {
                out += c;
                continue;
            }
            if (atEnd())
                break;
            const QChar e = text[pos++];
            switch (e.unicode()) {
            case u'a': out += QChar(0x07); break;
            case u'b': out += QChar(0x08); break;
            case u'f': out += QChar(0x0c); break;
            case u'n': out += QLatin1Char('\n'); break;
            case u'r': out += QLatin1Char('\r'); break;
            case u't': out += QLatin1Char('\t'); break;
            case u'v': out += QChar(0x0b); break;
            case u'U': {
                uint code = 0;
                int digits = 0;
                while (digits < 4 && !atEnd() && hexValue(peek()) >= 0) {
                    code = code * 16 + uint(hexValue(peek()));
                    ++pos;
                    ++digits;
                }
                if (digits == 0)
                    return fail(QStringLiteral("\\U without hex digits"));
                out += QChar(char16_t(code));
                break;
            }
            default:
                if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) {
                    // Octal escapes name bytes; read them as Latin-1, which agrees with the
                    // old encoding for everything a preference file is likely to hold.
                    uint code = uint(e.unicode() - u'0');
                    for (int digits = 1;
                         digits < 3 && !atEnd() && peek() >= QLatin1Char('0') && peek() <= QLatin1Char('7');
                         ++digits)
                        code = code * 8 + uint(text[pos++].unicode() - u'0');
                    if (code > 0xff)
                        return fail(QStringLiteral("Octal escape out of range"));
                    out += QChar(char16_t(code));
                } else {
                    // Any other escaped character stands for itself (\" \' \\ and the rest).
                    out += e;
                }
            }
        }
        return fail(QStringLiteral("Unterminated quoted string"), start);
    }

    Result<QVariant> data()
    {
        const qsizetype start = pos++;
        QByteArray bytes;
        int pending = -1;
        while (!atEnd()) {
            const QChar c = text[pos++];
            if (c == QLatin1Char('>')) {
                if (pending >= 0)
                    return fail(QStringLiteral("Data with an odd number of hex digits"), start);
                return QVariant(bytes);
            }
            if (c.isSpace())
                continue;
            const int nibble = hexValue(c);
            if (nibble < 0)
                return fail(QStringLiteral("Unexpected %1 in data").arg(describeCharacter(c)));
            if (pending < 0) {
                pending = nibble;
            } else {
                bytes.append(char(pending * 16 + nibble));
                pending = -1;
            }
        }
        return fail(QStringLiteral("Unterminated data"), start);
    }

    Result<QVariant> array(int depth)
    {
        ++pos;
        QVariantList list;
        if (Status s = skipSpaceAndComments(); !s)
            return Result<QVariant>::failure(s.error());
        if (peek() == QLatin1Char(')')) {
            ++pos;
            return QVariant(list);
        }
        for (;;) {
            Result<QVariant> item = value(depth + 1);
            if (!item)
                return item;
            list.append(std::move(item).value());
            if (Status s = skipSpaceAndComments(); !s)
                return Result<QVariant>::failure(s.error());
            if (atEnd())
                return fail(QStringLiteral("Unterminated array"));
            if (peek() == QLatin1Char(')')) {
                ++pos;
                return QVariant(list);
            }
            if (peek() != QLatin1Char(','))
                return fail(QStringLiteral("Expected ',' or ')' in an array, found %1")
                                .arg(describeCharacter(peek())));
            ++pos;
            if (Status s = skipSpaceAndComments(); !s)
                return Result<QVariant>::failure(s.error());
            if (peek() == QLatin1Char(')')) {
                ++pos;
                return QVariant(list);
            }
        }
    }

    Result<QVariant> dictionary(int depth)
    {
        ++pos;
        QVariantMap map;
        for (;;) {
            if (Status s = skipSpaceAndComments(); !s)
                return Result<QVariant>::failure(s.error());
            if (atEnd())
                return fail(QStringLiteral("Unterminated dictionary"));
            if (peek() == QLatin1Char('}')) {
                ++pos;
                return QVariant(map);
            }
            const QChar c = peek();
            if (c != QLatin1Char('"') && c != QLatin1Char('\'') && !isUnquotedCharacter(c))
                return fail(
                    QStringLiteral("Expected a key in a dictionary, found %1").arg(describeCharacter(c)));
            Result<QVariant> key =
                c == QLatin1Char('"') || c == QLatin1Char('\'') ? quotedString() : unquotedString();
            if (!key)
                return key;
            if (Status s = skipSpaceAndComments(); !s)
                return Result<QVariant>::failure(s.error());
            if (peek() != QLatin1Char('='))
                return fail(QStringLiteral("Missing '=' after the key \"%1\"").arg(key->toString()));
            ++pos;
            Result<QVariant> item = value(depth + 1);
            if (!item)
                return item;
            if (Status s = skipSpaceAndComments(); !s)
                return Result<QVariant>::failure(s.error());
            if (peek() != QLatin1Char(';'))
                return fail(QStringLiteral("Missing ';' after the value of \"%1\"").arg(key->toString()));
            ++pos;
            map.insert(key->toString(), std::move(item).value());
        }
    }
};

} // namespace

QString format(const QVariant &value)
{
    QString out;
    write(out, value, 0);
    return out;
}

QString describe(const QVariant &value)
{
    if (isMap(value) || isList(value) || value.typeId() == QMetaType::QByteArray)
        return format(value);
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return scalarText(value);
}

Result<QVariant> parse(const QString &text)
{
    Parser parser{text};
    Result<QVariant> result = parser.value(0);
    if (!result)
        return result;
    if (Status s = parser.skipSpaceAndComments(); !s)
        return Result<QVariant>::failure(s.error());
    if (!parser.atEnd())
        return parser.fail(
            QStringLiteral("Unexpected %1 after the value").arg(parser.describeCharacter(parser.peek())));
    return result;
}

} // namespace velmora::OpenStepText
