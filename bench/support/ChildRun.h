#pragma once

// Runs a program as a child process (an argument list, no shell) and notes what the kernel says it
// cost: the wall time from just before the start to its exit, and its peak resident memory.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::bench {

struct ChildRun {
    int exitCode = -1;        ///< -1 when it could not start or ended by a signal
    double wallMs = 0;        ///< from just before the start to the exit
    double peakMegabytes = 0; ///< the largest resident set (ru_maxrss) of the child
    QByteArray out;           ///< its standard output (standard error goes to ours)
    qint64 startedNs = 0; ///< CLOCK_MONOTONIC just before the start, to compare with the child's own stamps
};

/// Runs `program` with `args`; `environment` entries ("NAME=value") are added to ours.
/// Standard output is kept unless `discardOutput`, which a child printing megabytes needs.
ChildRun runChild(const QString &program, const QStringList &args, const QStringList &environment = {},
                  bool discardOutput = false);

/// CLOCK_MONOTONIC in nanoseconds: the clock QElapsedTimer uses on Linux, shared by all processes.
qint64 monotonicNs();

} // namespace velmora::bench
