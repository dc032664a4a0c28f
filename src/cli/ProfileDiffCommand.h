#pragma once

#include "ProfileCommand.h"

namespace velmora {

/// `velmoractl profile diff FILE`: what applying a profile would change.
class ProfileDiffCommand : public ProfileCommand {
public:
    ProfileDiffCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
