#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl init`: lays out and seeds the simulated Mac, leaving whatever is already there.
class InitCommand : public Command {
public:
    InitCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
