#include "ListCommand.h"

#include "CommandContext.h"
#include "platform/Platform.h"

namespace velmora {

ListCommand::ListCommand()
    : TweakCommand(QStringLiteral("list"), QStringLiteral("each tweak's id, title and current value"))
{
    addArgument({QStringLiteral("CATEGORY"), QStringLiteral("only this category's tweaks (its id)"),
                 Count::optional});
    setDetails(
        QStringLiteral("\"(default)\" marks a tweak with nothing stored, shown with the system's value.\n"
                       "A domain that cannot be read is named, and the exit status is 1."));
}

QCoro::Task<int> ListCommand::run(CommandContext &context, CommandArguments arguments)
{
    const QStringList args = arguments.positional();
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    const std::unique_ptr<TweakEngine> made = context.makeEngine();
    if (!made)
        co_return 1;
    TweakEngine &engine = *made;
    QList<TweakCategory> categories = engine.registry().categories();
    if (!args.isEmpty()) {
        const std::optional<TweakCategory> category = engine.registry().category(args.first());
        if (!category) {
            context.err << "velmoractl: no category has the id \"" << args.first() << "\"\n";
            co_return 1;
        }
        categories = {*category};
    }
    QMap<QString, QString> unreadable;
    for (const TweakCategory &category : categories) {
        co_await engine.refreshCategory(category.id);
        context.out << category.title << " (" << category.id << ")\n";
        for (const Tweak &tweak : engine.registry().tweaksInCategory(category.id)) {
            if (const std::optional<QString> problem = domainProblem(*platform, tweak))
                unreadable.insert(tweak.preferenceKey->domain, *problem);
            const bool stored = engine.currentValues().contains(tweak.id);
            context.out << "  " << tweak.id.leftJustified(44) << ' ' << tweak.title << ": "
                        << shown(tweak, engine.valueOrDefault(tweak)) << (stored ? "" : "  (default)")
                        << '\n';
        }
    }
    for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
        context.err << "velmoractl: " << it.key()
                    << " could not be read, so its settings show their defaults: " << it.value() << '\n';
    co_return unreadable.isEmpty() ? 0 : 1;
}

} // namespace velmora
