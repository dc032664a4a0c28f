#pragma once

#include "CommandArguments.h"

#include <QCommandLineOption>
#include <QCoro/QCoroTask>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace velmora {

class CommandContext;
class CommandGroup;

/// One verb of velmoractl: its name, a one-line description, the options and arguments it takes, and
/// what it does. Commands are made once at start and live as long as the program.
class Command {
public:
    /// How many values a positional argument takes.
    enum class Count { one, optional, oneOrMore, any };

    /// A positional argument as the usage names it.
    struct Argument {
        QString name;
        QString description;
        Count count = Count::one;
    };

    Command(QString name, QString description);
    virtual ~Command();
    Command(const Command &) = delete;
    Command &operator=(const Command &) = delete;

    const QString &name() const { return m_name; }
    const QString &description() const { return m_description; }
    /// The words that start this command after the program's name: "dock show"; empty for the program.
    QString path() const;
    /// How the command is written after the program's name, one line per form: "get ID [--json]".
    virtual QStringList synopses() const;
    /// What `velmoractl help …` and `--help` print.
    virtual QString helpText() const;
    /// The commands below this one (a group's); none for a verb.
    virtual QList<Command *> subcommands() const { return {}; }
    /// The command below this one with that name, or nullptr.
    Command *subcommand(const QString &name) const;

    /// Parses the arguments that follow the command's name, answers `--help`, refuses what does not fit
    /// (exit 2), and otherwise runs the command. Returns the exit status.
    QCoro::Task<int> execute(CommandContext &context, QStringList arguments);

protected:
    void addOption(const QCommandLineOption &option) { m_options.append(option); }
    void addArgument(Argument argument) { m_arguments.append(std::move(argument)); }
    /// Text the command's own help shows after its options.
    void setDetails(QString details) { m_details = std::move(details); }
    /// Everything after the first argument is left to it: a group's commands take their own options.
    void setOptionsEndAtFirstArgument() { m_optionsEndAtFirstArgument = true; }

    /// The one-line description as a sentence of its own.
    QString descriptionSentence() const;
    /// "usage: velmoractl …", one line per form.
    QString usageLines() const;
    /// The options with what each does, `--help` last.
    QString optionsTable() const;

    /// Says what is wrong with the command line, then how the command is written.
    virtual void reportUsageError(CommandContext &context, const QString &problem) const;
    /// Does the command's work once its command line is known to fit. Returns the exit status.
    virtual QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) = 0;

    /// Rows of two columns, the second starting at one column for all; a first cell too wide for it
    /// puts its second on the next line.
    static QString table(const QList<std::pair<QString, QString>> &rows);

private:
    friend class CommandGroup;

    QCommandLineOption helpOption() const;
    QString argumentsSynopsis() const;
    QString optionsSynopsis() const;
    bool fits(qsizetype positionalCount) const;

    QString m_name;
    QString m_description;
    QString m_details;
    QList<QCommandLineOption> m_options;
    QList<Argument> m_arguments;
    bool m_optionsEndAtFirstArgument = false;
    const Command *m_parent = nullptr;
};

} // namespace velmora
