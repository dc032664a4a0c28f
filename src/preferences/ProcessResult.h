#pragma once

#include <QString>

namespace velmora {

/// How a finished program ended and everything it printed, decoded as UTF-8 and untrimmed.
/// (Named standardOutput/standardError: `stdout` and `stderr` are macros of the C library.)
struct ProcessResult {
    int exitCode = 0;
    QString standardOutput;
    QString standardError;
};

} // namespace velmora
