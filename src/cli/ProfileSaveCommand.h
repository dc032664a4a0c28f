#pragma once

#include "ProfileCommand.h"

namespace velmora {

/// `velmoractl profile save FILE`: the current settings as a profile.
class ProfileSaveCommand : public ProfileCommand {
public:
    ProfileSaveCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
