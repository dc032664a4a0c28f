#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl help [COMMAND...]`: the list of commands, or one command's usage and options.
class HelpCommand : public Command {
public:
    /// `program` is the command whose commands help names; it outlives this one.
    explicit HelpCommand(const Command &program);

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;

private:
    const Command &m_program;
};

} // namespace velmora
