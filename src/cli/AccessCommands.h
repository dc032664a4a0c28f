#pragma once

#include <QCoro/QCoroTask>
#include <QStringList>

namespace velmora {

class CommandContext;

/// `velmoractl access …`. Returns the exit status.
QCoro::Task<int> runAccessCommand(CommandContext &context, QStringList args);

} // namespace velmora
