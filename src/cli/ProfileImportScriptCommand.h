#pragma once

#include "ProfileCommand.h"

namespace velmora {

/// `velmoractl profile import-script SCRIPT -o PROFILE`: the `defaults write` lines of a script as a
/// profile; the lines left out, each with its line number and why, on standard error.
class ProfileImportScriptCommand : public ProfileCommand {
public:
    ProfileImportScriptCommand();

    /// The profile to write is not optional, though given as an option.
    QStringList synopses() const override;

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
