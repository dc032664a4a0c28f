#include "BenchFigure.h"

#include <algorithm>
#include <cstdio>

namespace velmora::bench {

double medianOf(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double BenchFigure::median() const
{
    return medianOf(samples);
}

double BenchFigure::min() const
{
    return samples.isEmpty() ? 0 : *std::min_element(samples.begin(), samples.end());
}

double BenchFigure::max() const
{
    return samples.isEmpty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

void BenchFigure::print() const
{
    const QByteArray n = name.toUtf8();
    const QByteArray u = unit.toUtf8();
    const char *verdict = goal <= 0 ? "-" : (meetsGoal() ? "met" : "NOT MET");
    std::printf("FIGURE\t%s\t%.3f\t%.3f\t%.3f\t%lld\t%s\t%.3f\t%s\n", n.constData(), median(), min(), max(),
                static_cast<long long>(samples.size()), u.constData(), goal, verdict);
    std::fflush(stdout);
    std::fprintf(stderr, "%s: median %.3f %s (%.3f–%.3f, %lld runs)%s%s\n", n.constData(), median(),
                 u.constData(), min(), max(), static_cast<long long>(samples.size()),
                 goal > 0 ? ", goal ≤ " : "", goal > 0 ? qPrintable(QString::number(goal)) : "");
}

} // namespace velmora::bench
