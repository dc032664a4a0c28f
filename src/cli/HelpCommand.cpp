#include "HelpCommand.h"

#include "CommandContext.h"

namespace velmora {

HelpCommand::HelpCommand(const Command &program)
    : Command(QStringLiteral("help"), QStringLiteral("this text, or a command's usage and options")),
      m_program(program)
{
    addArgument({QStringLiteral("COMMAND"), QStringLiteral("a command, or a group and one of its commands"),
                 Count::any});
}

QCoro::Task<int> HelpCommand::run(CommandContext &context, CommandArguments arguments)
{
    const Command *command = &m_program;
    for (const QString &word : arguments.positional()) {
        command = command->subcommand(word);
        if (!command) {
            context.err << "velmoractl: no command \"" << arguments.positional().join(QLatin1Char(' '))
                        << "\"; see velmoractl help\n";
            co_return 2;
        }
    }
    context.out << command->helpText();
    co_return 0;
}

} // namespace velmora
