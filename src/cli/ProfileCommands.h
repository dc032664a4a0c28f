#pragma once

#include <QCoro/QCoroTask>
#include <QStringList>

namespace velmora {

class CommandContext;

/// `velmoractl profile …`. Returns the exit status.
QCoro::Task<int> runProfileCommand(CommandContext &context, QStringList args);

} // namespace velmora
