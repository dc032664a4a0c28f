#include "CommandGroup.h"

#include "CommandContext.h"

namespace velmora {

namespace {

void addRows(const Command &group, QList<std::pair<QString, QString>> &rows)
{
    for (const Command *command : group.subcommands()) {
        if (command->subcommands().isEmpty())
            rows.append({command->synopses().join(QLatin1Char('\n')), command->description()});
        else
            addRows(*command, rows);
    }
}

} // namespace

CommandGroup::CommandGroup(QString name, QString description)
    : Command(std::move(name), std::move(description))
{
    setOptionsEndAtFirstArgument();
    addArgument({QStringLiteral("COMMAND"), QStringLiteral("one of the commands below")});
    addArgument({QStringLiteral("ARGUMENTS"), QStringLiteral("what the command takes"), Count::any});
}

CommandGroup::~CommandGroup() = default;

void CommandGroup::add(std::unique_ptr<Command> command)
{
    command->m_parent = this;
    m_commands.push_back(std::move(command));
}

QList<Command *> CommandGroup::subcommands() const
{
    QList<Command *> commands;
    for (const std::unique_ptr<Command> &command : m_commands)
        commands.append(command.get());
    return commands;
}

QStringList CommandGroup::synopses() const
{
    QStringList forms;
    for (const std::unique_ptr<Command> &command : m_commands)
        forms << command->synopses();
    return forms;
}

QString CommandGroup::helpText() const
{
    return usageLines() + QLatin1Char('\n') + descriptionSentence() + QStringLiteral("\n\ncommands:\n") +
           commandsTable() +
           QStringLiteral("\nSee velmoractl help %1 COMMAND for a command's arguments and options.\n")
               .arg(path());
}

QCoro::Task<int> CommandGroup::run(CommandContext &context, CommandArguments arguments)
{
    QStringList rest = arguments.positional();
    const QString name = rest.takeFirst();
    Command *command = subcommand(name);
    if (!command) {
        reportUnknownCommand(context, name);
        co_return 2;
    }
    co_return co_await command->execute(context, rest);
}

void CommandGroup::reportUnknownCommand(CommandContext &context, const QString &name) const
{
    context.err << "velmoractl: no command \"" << path() << ' ' << name << "\"; see velmoractl help "
                << path() << '\n'
                << usageLines();
}

QString CommandGroup::commandsTable() const
{
    QList<std::pair<QString, QString>> rows;
    addRows(*this, rows);
    return Command::table(rows);
}

} // namespace velmora
