#pragma once

#include <QCoro/QCoroTask>
#include <QStringList>

namespace velmora {

class CommandContext;

/// `velmoractl dock show [--json]` and `velmoractl dock apply FILE`. Returns the exit status.
QCoro::Task<int> runDockCommand(CommandContext &context, QStringList args);

} // namespace velmora
