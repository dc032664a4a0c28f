#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl access`: whether Full Disk Access is granted; the exit status says it too.
class AccessCommand : public Command {
public:
    AccessCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
