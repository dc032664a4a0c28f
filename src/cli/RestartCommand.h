#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl restart TARGET...`: restarts the processes that pick changes up.
class RestartCommand : public Command {
public:
    RestartCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
