#include "ResetCommand.h"

#include "CommandContext.h"

namespace velmora {

ResetCommand::ResetCommand()
    : TweakCommand(QStringLiteral("reset"),
                   QStringLiteral("remove the stored value, back to the system's own"))
{
    addArgument({QStringLiteral("ID"), QStringLiteral("the tweak's id (see velmoractl list)")});
    addOption(restartOption());
}

QCoro::Task<int> ResetCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool restart = arguments.isSet(restartOption().names().constLast());
    const QStringList args = arguments.positional();
    std::optional<TweakTarget> target = openTweak(context, args[0]);
    if (!target)
        co_return 1;
    TweakEngine &engine = *target->engine;
    const Tweak *tweak = &target->tweak;
    co_await engine.reset(*tweak);
    if (engine.lastError()) {
        context.err << "velmoractl: " << *engine.lastError() << '\n';
        co_return 1;
    }
    context.out << tweak->id << " = " << shown(*tweak, engine.valueOrDefault(*tweak)) << '\n';
    co_await reportRestarts(context, &engine, restart);
    co_return 0;
}

} // namespace velmora
