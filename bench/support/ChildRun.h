#pragma once

// Runs a program as a child process (an argument list, no shell) and notes what the kernel says it
// cost: the wall time from just before the start to its exit, and its peak resident memory.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::bench {

struct ChildRun {
    int exitCode = -1; ///< -1 when it could not start or ended by a signal
    double wallMs = 0; ///< from just before the start to the exit
    /// The largest resident set (ru_maxrss) of the child. From `runChild` it is at least our own:
    /// the child is started as vfork starts one, sharing our memory until its exec, and Linux
    /// keeps that memory's high-water mark across the exec. `runChildOwnPeak` gives the child's own.
    double peakMegabytes = 0;
    QByteArray out;       ///< its standard output (standard error goes to ours)
    qint64 startedNs = 0; ///< CLOCK_MONOTONIC just before the start, to compare with the child's own stamps
};

/// Runs `program` with `args`; `environment` entries ("NAME=value") are added to ours.
/// Standard output is kept unless `discardOutput`, which a child printing megabytes needs.
ChildRun runChild(const QString &program, const QStringList &args, const QStringList &environment = {},
                  bool discardOutput = false);

/// `runChild` through /usr/bin/time, which forks the program from its own small process, so that
/// `peakMegabytes` is the program's own peak whatever ours is; the wall time then includes starting
/// /usr/bin/time. Without /usr/bin/time (Debian package "time") it is `runChild`, with a warning.
ChildRun runChildOwnPeak(const QString &program, const QStringList &args, const QStringList &environment = {},
                         bool discardOutput = false);

/// CLOCK_MONOTONIC in nanoseconds: the clock QElapsedTimer uses on Linux, shared by all processes.
qint64 monotonicNs();

} // namespace velmora::bench
