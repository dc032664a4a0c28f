#include "AppVersion.h"

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

// Orders pre-release suffixes as people read them: runs of digits by value, other runs by text
// ignoring case, so "b2" comes before "b10" and "alpha" before "beta".
int compareSuffixes(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = a[i].isDigit(), digitB = b[j].isDigit();
        qsizetype endA = i, endB = j;
        while (endA < a.size() && a[endA].isDigit() == digitA)
            ++endA;
        while (endB < b.size() && b[endB].isDigit() == digitB)
            ++endB;
        QStringView runA = a.mid(i, endA - i), runB = b.mid(j, endB - j);
        int order = 0;
        if (digitA && digitB) {
            while (runA.size() > 1 && runA.front() == QLatin1Char('0'))
                runA = runA.mid(1);
            while (runB.size() > 1 && runB.front() == QLatin1Char('0'))
                runB = runB.mid(1);
            order = runA.size() != runB.size() ? (runA.size() < runB.size() ? -1 : 1) : runA.compare(runB);
        } else {
            order = runA.compare(runB, Qt::CaseInsensitive);
        }
        if (order != 0)
            return order < 0 ? -1 : 1;
        i = endA;
        j = endB;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

} // namespace

AppVersion::AppVersion(const QString &text) : m_text(text.trimmed())
{
    // A leading "v" is common in tags ("v1.2"); it is not part of the number.
    qsizetype i = 0;
    if (m_text.size() > 1 && (m_text[0] == QLatin1Char('v') || m_text[0] == QLatin1Char('V')) &&
        m_text[1].isDigit())
        i = 1;
    while (i < m_text.size() && m_text[i].isDigit()) {
        qsizetype end = i;
        while (end < m_text.size() && m_text[end].isDigit())
            ++end;
        bool ok = false;
        const qulonglong component = QStringView(m_text).mid(i, end - i).toULongLong(&ok);
        // A component too long for 64 bits still counts as a very large number, never as zero.
        m_components << (ok ? component : std::numeric_limits<qulonglong>::max());
        i = end;
        if (i + 1 < m_text.size() && m_text[i] == QLatin1Char('.') && m_text[i + 1].isDigit())
            ++i;
        else
            break;
    }
    if (m_components.isEmpty())
        return;
    QStringView rest = QStringView(m_text).mid(i);
    while (!rest.isEmpty() && (rest.front() == QLatin1Char('.') || rest.front() == QLatin1Char('-') ||
                               rest.front() == QLatin1Char('_') || rest.front() == QLatin1Char(' ')))
        rest = rest.mid(1);
    m_suffix = rest.toString();
}

int AppVersion::compare(const AppVersion &a, const AppVersion &b)
{
    const qsizetype count = std::max(a.m_components.size(), b.m_components.size());
    for (qsizetype i = 0; i < count; ++i) {
        const qulonglong x = i < a.m_components.size() ? a.m_components[i] : 0;
        const qulonglong y = i < b.m_components.size() ? b.m_components[i] : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    // Same numbers: the release is newer than any of its pre-releases; two pre-releases compare
    // the way people read them ("b2" before "b10").
    if (a.m_suffix.isEmpty() != b.m_suffix.isEmpty())
        return a.m_suffix.isEmpty() ? 1 : -1;
    return compareSuffixes(a.m_suffix, b.m_suffix);
}

} // namespace velmora
