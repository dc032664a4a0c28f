#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl dock show [--json]`: the Dock's applications and other tiles.
class DockShowCommand : public Command {
public:
    DockShowCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
