#pragma once

#include <QString>

namespace velmora {

/// How a finished program ended and everything it printed, decoded as UTF-8 and untrimmed.
/// (Named standardOutput/standardError: `stdout` and `stderr` are macros of the C library.)
struct ProcessResult {
    /// The program's exit status; for a program killed by a signal, 128 plus the signal's number, as
    /// a shell reports it, so every check for a non-zero status still sees the failure.
    int exitCode = 0;
    /// The signal that killed the program; 0 when it exited by itself.
    int killSignal = 0;
    QString standardOutput;
    QString standardError;
};

} // namespace velmora
