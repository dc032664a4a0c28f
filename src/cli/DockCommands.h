#pragma once

#include <QCoro/QCoroTask>
#include <QStringList>

namespace velmora {

class CommandContext;

/// `velmoractl dock …`. Returns the exit status.
QCoro::Task<int> runDockCommand(CommandContext &context, QStringList args);

} // namespace velmora
