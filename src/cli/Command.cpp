#include "Command.h"

#include "CommandContext.h"

#include <QCommandLineParser>

#include <algorithm>

namespace velmora {

namespace {

// Verbs take no one-dash options but the one-letter ones they declare ("-o FILE"), so a value such as
// "-1" or "-" is an argument, not an option the parser would refuse. Such values are marked before
// parsing and unmarked after; no argument of a real command line can hold the marker.
const QChar kValueMark(u'\0');

QStringList markedValues(QStringList arguments, const QStringList &shortOptions)
{
    for (QString &argument : arguments) {
        if (argument.startsWith(u'-') && !argument.startsWith(QLatin1String("--")) &&
            !shortOptions.contains(argument))
            argument.prepend(kValueMark);
    }
    return arguments;
}

QStringList unmarkedValues(QStringList arguments)
{
    for (QString &argument : arguments) {
        if (argument.startsWith(kValueMark))
            argument.remove(0, 1);
    }
    return arguments;
}

QString optionLabel(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString label = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        label += QLatin1Char(' ') + option.valueName();
    return label;
}

} // namespace

Command::Command(QString name, QString description)
    : m_name(std::move(name)), m_description(std::move(description))
{
}

Command::~Command() = default;

QString Command::path() const
{
    if (!m_parent)
        return QString();
    const QString above = m_parent->path();
    return above.isEmpty() ? m_name : above + QLatin1Char(' ') + m_name;
}

QStringList Command::synopses() const
{
    // A group's options come before its command; a verb's after its arguments, where they are usually
    // written.
    const QStringList parts = m_optionsEndAtFirstArgument
                                  ? QStringList{path(), optionsSynopsis(), argumentsSynopsis()}
                                  : QStringList{path(), argumentsSynopsis(), optionsSynopsis()};
    QStringList words;
    for (const QString &part : parts) {
        if (!part.isEmpty())
            words << part;
    }
    return {words.join(QLatin1Char(' '))};
}

QString Command::helpText() const
{
    QString text = usageLines() + QLatin1Char('\n') + descriptionSentence() + QLatin1Char('\n');
    if (!m_arguments.isEmpty()) {
        QList<std::pair<QString, QString>> rows;
        for (const Argument &argument : m_arguments)
            rows.append({argument.name, argument.description});
        text += QStringLiteral("\narguments:\n") + table(rows);
    }
    text += QStringLiteral("\noptions:\n") + optionsTable();
    if (!m_details.isEmpty())
        text += QLatin1Char('\n') + m_details + QLatin1Char('\n');
    return text;
}

Command *Command::subcommand(const QString &name) const
{
    const QList<Command *> commands = subcommands();
    const auto found =
        std::find_if(commands.cbegin(), commands.cend(), [&](const Command *c) { return c->name() == name; });
    return found == commands.cend() ? nullptr : *found;
}

QCoro::Task<int> Command::execute(CommandContext &context, QStringList arguments)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(m_optionsEndAtFirstArgument
                                                      ? QCommandLineParser::ParseAsPositionalArguments
                                                      : QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help = helpOption();
    parser.addOption(help);
    for (const QCommandLineOption &option : m_options)
        parser.addOption(option);
    // A group hands everything after its first argument on untouched, so only a verb marks values.
    if (!m_optionsEndAtFirstArgument) {
        QStringList shortOptions;
        for (const QCommandLineOption &option : m_options) {
            for (const QString &name : option.names()) {
                if (name.size() == 1)
                    shortOptions << QLatin1Char('-') + name;
            }
        }
        arguments = markedValues(arguments, shortOptions);
    }
    // The parser skips the first word, the program's name.
    if (!parser.parse(QStringList{QStringLiteral("velmoractl")} + arguments)) {
        reportUsageError(context, parser.errorText());
        co_return 2;
    }
    if (parser.isSet(help)) {
        context.out << helpText();
        co_return 0;
    }
    const QStringList positional = unmarkedValues(parser.positionalArguments());
    if (!fits(positional.size())) {
        reportUsageError(context, QString());
        co_return 2;
    }
    QHash<QString, QStringList> given;
    for (const QCommandLineOption &option : m_options) {
        if (parser.isSet(option))
            given.insert(option.names().constLast(), unmarkedValues(parser.values(option)));
    }
    co_return co_await run(context, CommandArguments(positional, given));
}

QString Command::descriptionSentence() const
{
    if (m_description.isEmpty())
        return m_description;
    return m_description.front().toUpper() + m_description.mid(1) + QLatin1Char('.');
}

QString Command::usageLines() const
{
    return QStringLiteral("usage: velmoractl ") + synopses().join(QStringLiteral("\n       velmoractl ")) +
           QLatin1Char('\n');
}

QString Command::optionsTable() const
{
    QList<std::pair<QString, QString>> rows;
    for (const QCommandLineOption &option : m_options)
        rows.append({optionLabel(option), option.description()});
    const QCommandLineOption help = helpOption();
    rows.append({optionLabel(help), help.description()});
    return table(rows);
}

void Command::reportUsageError(CommandContext &context, const QString &problem) const
{
    if (!problem.isEmpty())
        context.err << "velmoractl: " << problem << '\n';
    context.err << usageLines();
}

QString Command::table(const QList<std::pair<QString, QString>> &rows)
{
    // The widest first cell sets the second column, up to a limit that leaves the second one room.
    constexpr qsizetype widest = 28;
    qsizetype width = 0;
    for (const auto &[first, second] : rows) {
        if (first.size() <= widest)
            width = std::max(width, first.size());
    }
    const QString indent(2 + width + 2, QLatin1Char(' '));
    QString text;
    for (const auto &[first, second] : rows) {
        if (first.size() > width)
            text += QStringLiteral("  ") + first + QLatin1Char('\n') + indent + second + QLatin1Char('\n');
        else
            text += QStringLiteral("  ") + first.leftJustified(width) + QStringLiteral("  ") + second +
                    QLatin1Char('\n');
    }
    return text;
}

QCommandLineOption Command::helpOption() const
{
    // A verb's "-h" could be a value ("set ID -h"); only a group takes the short form.
    const QStringList names = m_optionsEndAtFirstArgument
                                  ? QStringList{QStringLiteral("h"), QStringLiteral("help")}
                                  : QStringList{QStringLiteral("help")};
    return QCommandLineOption(names, QStringLiteral("print this command's usage and options"));
}

QString Command::argumentsSynopsis() const
{
    QStringList words;
    for (const Argument &argument : m_arguments) {
        switch (argument.count) {
        case Count::one: words << argument.name; break;
        case Count::optional: words << QLatin1Char('[') + argument.name + QLatin1Char(']'); break;
        case Count::oneOrMore: words << argument.name + QStringLiteral("..."); break;
        case Count::any: words << QLatin1Char('[') + argument.name + QStringLiteral("...]"); break;
        }
    }
    return words.join(QLatin1Char(' '));
}

QString Command::optionsSynopsis() const
{
    QStringList words;
    for (const QCommandLineOption &option : m_options)
        words << QStringLiteral("[--") + option.names().constLast() +
                     (option.valueName().isEmpty() ? QString() : QLatin1Char(' ') + option.valueName()) +
                     QLatin1Char(']');
    return words.join(QLatin1Char(' '));
}

bool Command::fits(qsizetype positionalCount) const
{
    qsizetype least = 0;
    qsizetype most = 0;
    bool unbounded = false;
    for (const Argument &argument : m_arguments) {
        switch (argument.count) {
        case Count::one: ++least, ++most; break;
        case Count::optional: ++most; break;
        case Count::oneOrMore: ++least, unbounded = true; break;
        case Count::any: unbounded = true; break;
        }
    }
    return positionalCount >= least && (unbounded || positionalCount <= most);
}

} // namespace velmora
