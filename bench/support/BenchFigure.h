#pragma once

// One measured figure of a benchmark: its samples, and the goal it is held to. Every program of
// bench/ prints its figures through `print`, one tab-separated line each starting with "FIGURE", so
// `scripts/bench` can gather all of them into one table.

#include <QList>
#include <QString>

namespace velmora::bench {

struct BenchFigure {
    QString name; ///< what was measured, e.g. "start-up offscreen / bare Qt window"
    QString unit; ///< "×", "ms", "MB"…
    QList<double> samples;
    double goal = 0; ///< the most the median may be; 0 when the figure is for information only

    double median() const;
    double min() const;
    double max() const;
    bool meetsGoal() const { return goal <= 0 || median() <= goal; }

    /// The FIGURE line on standard output, and a readable line on standard error.
    void print() const;
};

/// The median of `values` (the mean of the two middle ones for an even count); 0 when empty.
double medianOf(QList<double> values);

} // namespace velmora::bench
