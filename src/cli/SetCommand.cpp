#include "SetCommand.h"

#include "CommandContext.h"
#include "ValueParser.h"

namespace velmora {

SetCommand::SetCommand() : TweakCommand(QStringLiteral("set"), QStringLiteral("apply a value to a tweak"))
{
    addArgument({QStringLiteral("ID"), QStringLiteral("the tweak's id (see velmoractl list)")});
    addArgument(
        {QStringLiteral("VALUE"), QStringLiteral("the value, as the tweak's control takes it (below)")});
    addOption(restartOption());
    setDetails(
        QStringLiteral("A switch takes on/off, true/false, yes/no or 1/0; a stepper or slider a number\n"
                       "within its bounds; a picker one of its options, by label or by value; a text or\n"
                       "path field the text. Prints the value set and the restarts now pending.\n"
                       "A value that starts with \"--\" follows \"--\": velmoractl set ID -- --text"));
}

QCoro::Task<int> SetCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool restart = arguments.isSet(restartOption().names().constLast());
    const QStringList args = arguments.positional();
    std::optional<TweakTarget> target = openTweak(context, args[0]);
    if (!target)
        co_return 1;
    TweakEngine &engine = *target->engine;
    const Tweak *tweak = &target->tweak;
    const Result<TweakValue> value = parseValueForTweak(*tweak, args[1]);
    if (!value) {
        context.err << "velmoractl: " << value.error() << '\n';
        co_return 1;
    }
    const bool applied = co_await engine.apply(*value, *tweak);
    if (!applied) {
        context.err << "velmoractl: " << engine.lastError().value_or(QString()) << '\n';
        co_return 1;
    }
    context.out << tweak->id << " = " << shown(*tweak, *value) << '\n';
    co_await reportRestarts(context, &engine, restart);
    co_return 0;
}

} // namespace velmora
