#pragma once

#include "Command.h"

#include <memory>
#include <vector>

namespace velmora {

/// A word that only names a set of commands: `velmoractl dock show`, `velmoractl dock apply`. It takes
/// the command's name and hands the rest of the command line to that command.
class CommandGroup : public Command {
public:
    CommandGroup(QString name, QString description);
    ~CommandGroup() override;

    void add(std::unique_ptr<Command> command);

    QList<Command *> subcommands() const override;
    /// The forms of every command in the group.
    QStringList synopses() const override;
    QString helpText() const override;

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
    /// Says that no command of the group has this name.
    virtual void reportUnknownCommand(CommandContext &context, const QString &name) const;
    /// Every command below this one that is not itself a group, with its description.
    QString commandsTable() const;

private:
    std::vector<std::unique_ptr<Command>> m_commands;
};

} // namespace velmora
