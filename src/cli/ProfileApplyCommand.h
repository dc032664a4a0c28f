#pragma once

#include "ProfileCommand.h"

namespace velmora {

/// `velmoractl profile apply FILE [--yes]`: shows the changes, asks, applies them, then restarts once.
class ProfileApplyCommand : public ProfileCommand {
public:
    ProfileApplyCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
