#include "MessageText.h"

namespace velmora {

namespace {

QString escaped(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\n': result += QLatin1String("\\n"); break;
        case '\r': result += QLatin1String("\\r"); break;
        case '\t': result += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                result += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                result += c;
        }
    }
    return result;
}

} // namespace

QString abbreviatedForMessage(const QString &text, qsizetype keep)
{
    if (text.size() <= keep)
        return escaped(text);
    qsizetype cut = keep;
    // Never split a surrogate pair: half a character would print as a replacement sign.
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    // Bytes, not characters: what the program was handed, and what a user compares with a file size.
    const qsizetype more = text.mid(cut).toUtf8().size();
    return escaped(text.left(cut)) + QStringLiteral("… (%1 more bytes)").arg(more);
}

QString endedAsSentence(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return trimmed;
    const QChar last = trimmed.back();
    if (last == QLatin1Char('.') || last == QLatin1Char('!') || last == QLatin1Char('?') ||
        last == QChar(0x2026))
        return trimmed;
    return trimmed + QLatin1Char('.');
}

} // namespace velmora
