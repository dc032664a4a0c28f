#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl profile export --format F [--once] [--identifier PREFIX] [FILE|--current] -o OUT`: a
/// profile as a configuration profile, a `defaults` script, Ansible tasks or a nix-darwin module.
class ProfileExportCommand : public Command {
public:
    ProfileExportCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
