#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl dock apply FILE`: sets the Dock's contents from a payload as `dock show --json` prints it.
class DockApplyCommand : public Command {
public:
    DockApplyCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
