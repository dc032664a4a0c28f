#pragma once

#include "ProfileCommand.h"

namespace velmora {

/// `velmoractl profile undo [--yes]`: shows what the newest restore point would put back, asks, and
/// puts it back the way a profile is applied.
class ProfileUndoCommand : public ProfileCommand {
public:
    ProfileUndoCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
