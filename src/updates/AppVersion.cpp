#include "AppVersion.h"

#include <QList>

#include <limits>

namespace velmora {

namespace {

enum class Kind { number, word, period, separator, dash };

struct Part {
    Kind kind = Kind::number;
    QStringView text;
    qint64 value = 0;
};

Kind kindOf(QChar c)
{
    if (c == QLatin1Char('.'))
        return Kind::period;
    if (c == QLatin1Char('-'))
        return Kind::dash;
    if (c.isDigit())
        return Kind::number;
    if (c.isSpace() || c.isPunct())
        return Kind::separator;
    return Kind::word;
}

bool isSeparator(Kind kind)
{
    return kind == Kind::period || kind == Kind::separator;
}

bool sameClass(Kind a, Kind b)
{
    return a == b || (isSeparator(a) && isSeparator(b));
}

// Only ASCII digits count, and a number too long for 64 bits stays the largest one: the framework
// reads a run of digits that way, so "٣" is worth 0 and two huge numbers are equal.
qint64 valueOf(QStringView digits)
{
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        const int digit = c.unicode() - '0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10)
            return std::numeric_limits<qint64>::max();
        value = value * 10 + digit;
    }
    return value;
}

QList<Part> split(QStringView text)
{
    QList<Part> parts;
    if (text.isEmpty())
        return parts;
    qsizetype start = 0;
    Kind kind = kindOf(text[0]);
    qsizetype end = 1;
    const auto close = [&](qsizetype at) {
        const QStringView run = text.mid(start, at - start);
        parts << Part{kind, run, kind == Kind::number ? valueOf(run) : 0};
    };
    for (; end < text.size(); ++end) {
        const Kind next = kindOf(text[end]);
        // A dash starts what the framework treats as a build or channel tag: it is not compared.
        if (next == Kind::dash)
            break;
        // Separators stand alone ("1..2" has two); other runs go on while the kind stays.
        if (next != kind || isSeparator(kind)) {
            close(end);
            start = end;
            kind = next;
        }
    }
    close(end);
    return parts;
}

qsizetype leadingNumbersAndPeriods(const QList<Part> &parts)
{
    qsizetype count = 0;
    while (count < parts.size() && (parts[count].kind == Kind::number || parts[count].kind == Kind::period))
        ++count;
    return count;
}

// Pads the shorter run of leading numbers and periods with "0" and "." in the places the longer
// one has them, so "1.2" meets "1.2.0" as its equal.
void balance(QList<Part> &a, QList<Part> &b)
{
    const qsizetype countA = leadingNumbersAndPeriods(a), countB = leadingNumbersAndPeriods(b);
    QList<Part> &shorter = countA < countB ? a : b;
    const QList<Part> &longer = countA < countB ? b : a;
    for (qsizetype i = std::min(countA, countB); i < std::max(countA, countB); ++i)
        shorter.insert(i, longer[i].kind == Kind::period ? Part{Kind::period, u".", 0}
                                                         : Part{Kind::number, u"0", 0});
}

} // namespace

int AppVersion::compare(const AppVersion &a, const AppVersion &b)
{
    QList<Part> partsA = split(a.m_text), partsB = split(b.m_text);
    balance(partsA, partsB);
    const qsizetype common = std::min(partsA.size(), partsB.size());
    for (qsizetype i = 0; i < common; ++i) {
        const Part &x = partsA[i], &y = partsB[i];
        if (sameClass(x.kind, y.kind)) {
            if (x.kind == Kind::number && x.value != y.value)
                return x.value < y.value ? -1 : 1;
            if (x.kind == Kind::word) {
                if (const int order = x.text.compare(y.text, Qt::CaseSensitive); order != 0)
                    return order < 0 ? -1 : 1;
            }
            continue;
        }
        // A word in the place of anything else marks a pre-release: it is the older one.
        if (y.kind == Kind::word)
            return 1;
        if (x.kind == Kind::word)
            return -1;
        return x.kind == Kind::number ? 1 : -1;
    }
    if (partsA.size() == partsB.size())
        return 0;
    // One goes on where the other ends: more numbers make it newer ("1.0.1"), a word older ("1.0b").
    const bool aLonger = partsA.size() > partsB.size();
    const Part &extra = aLonger ? partsA[common] : partsB[common];
    const bool longerIsNewer = extra.kind != Kind::word;
    return aLonger == longerIsNewer ? 1 : -1;
}

} // namespace velmora
