#include "ProfileDiffCommand.h"

#include "CommandContext.h"
#include "engine/TweakEngine.h"
#include "profiles/ProfileDocument.h"

namespace velmora {

ProfileDiffCommand::ProfileDiffCommand()
    : ProfileCommand(QStringLiteral("diff"), QStringLiteral("what applying a profile would change"),
                     QStringLiteral("the profile to compare with the current settings"))
{
}

QCoro::Task<int> ProfileDiffCommand::run(CommandContext &context, CommandArguments arguments)
{
    const QString file = arguments.positional().first();
    const std::unique_ptr<TweakEngine> made = context.makeEngine();
    if (!made)
        co_return 1;
    TweakEngine &engine = *made;

    const Result<ProfileDocument> document = ProfileDocument::read(file);
    if (!document) {
        context.err << "velmoractl: " << file << " is not a profile: " << document.error() << '\n';
        co_return 1;
    }
    const Profile &profile = document->profile();
    const QList<ProfileDiffItem> items = co_await computeItems(profile, &engine);
    printDiff(context.out, profile, items);
    co_return 0;
}

} // namespace velmora
