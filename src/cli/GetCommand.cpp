#include "GetCommand.h"

#include "CommandContext.h"
#include "common/JsonText.h"

namespace velmora {

GetCommand::GetCommand() : TweakCommand(QStringLiteral("get"), QStringLiteral("a tweak's current value"))
{
    addArgument({QStringLiteral("ID"), QStringLiteral("the tweak's id (see velmoractl list)")});
    addOption(QCommandLineOption(QStringLiteral("json"), QStringLiteral("print the value's coded form")));
}

QCoro::Task<int> GetCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool json = arguments.isSet(QStringLiteral("json"));
    const QStringList args = arguments.positional();
    const std::optional<TweakTarget> target = openTweak(context, args.first());
    if (!target)
        co_return 1;
    if (const std::optional<QString> problem = domainProblem(target->engine->platform(), target->tweak)) {
        context.err << "velmoractl: " << target->tweak.id << " cannot be read: " << *problem << '\n';
        co_return 1;
    }
    co_await target->engine->refreshCategory(target->tweak.categoryID);
    const TweakValue value = target->engine->valueOrDefault(target->tweak);
    if (json)
        context.out << jsonText(value.encoded(), false) << '\n';
    else
        context.out << (value.isString() ? value.toString() : value.displayText()) << '\n';
    co_return 0;
}

} // namespace velmora
