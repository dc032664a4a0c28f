#pragma once

#include "TweakCommand.h"

namespace velmora {

/// `velmoractl set ID VALUE [--restart]`: applies a value typed the way the tweak's control would produce it.
class SetCommand : public TweakCommand {
public:
    SetCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
