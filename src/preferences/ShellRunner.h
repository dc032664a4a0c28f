#pragma once

#include "ProcessResult.h"
#include "ShellError.h"
#include "common/Result.h"

#include <QCoro/QCoroTask>
#include <QStringList>

namespace velmora {

/// Runs one program with a fixed argument list, never through a shell, and hands back its exit status
/// and output without blocking the caller's thread. Stateless; any number of runs may be in flight.
class ShellRunner {
public:
    using RunResult = Result<ProcessResult, ShellError>;

    /// Finishes with the result whatever the exit status; fails only when the program cannot start.
    /// Both output pipes are drained while the child runs, so a chatty child never blocks.
    QCoro::Task<RunResult> run(QString executable, QStringList arguments) const;
};

} // namespace velmora
