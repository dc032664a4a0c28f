#pragma once

#include "TweakCommand.h"

namespace velmora {

/// `velmoractl list [CATEGORY]`: each tweak of the catalogue, or of one category, with its current value.
class ListCommand : public TweakCommand {
public:
    ListCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
