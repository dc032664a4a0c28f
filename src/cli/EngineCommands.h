#pragma once

#include <QCoro/QCoroTask>
#include <QStringList>

namespace velmora {

class CommandContext;

/// `list [CATEGORY]`, `get ID [--json]`, `set ID VALUE [--restart]`, `reset ID [--restart]` and
/// `restart TARGET…`: the engine's operations from the command line. Each returns the exit status.
QCoro::Task<int> runListCommand(CommandContext &context, QStringList args);
QCoro::Task<int> runGetCommand(CommandContext &context, QStringList args);
QCoro::Task<int> runSetCommand(CommandContext &context, QStringList args);
QCoro::Task<int> runResetCommand(CommandContext &context, QStringList args);
QCoro::Task<int> runRestartCommand(CommandContext &context, QStringList args);

} // namespace velmora
