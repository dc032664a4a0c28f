#pragma once

#include "TweakCommand.h"

namespace velmora {

/// `velmoractl reset ID [--restart]`: removes the stored value, back to the system's own.
class ResetCommand : public TweakCommand {
public:
    ResetCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
