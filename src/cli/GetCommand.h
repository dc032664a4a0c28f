#pragma once

#include "TweakCommand.h"

namespace velmora {

/// `velmoractl get ID [--json]`: one tweak's current value.
class GetCommand : public TweakCommand {
public:
    GetCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
