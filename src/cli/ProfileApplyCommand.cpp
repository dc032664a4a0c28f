#include "ProfileApplyCommand.h"

#include "CommandContext.h"
#include "engine/TweakEngine.h"
#include "profiles/RestorePoints.h"

#include <QTextStream>

namespace velmora {

ProfileApplyCommand::ProfileApplyCommand()
    : ProfileCommand(QStringLiteral("apply"), QStringLiteral("apply a profile, then restart once"),
                     QStringLiteral("the profile to apply"))
{
    addOption(QCommandLineOption(QStringLiteral("yes"), QStringLiteral("apply without asking")));
}

QCoro::Task<int> ProfileApplyCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool yes = arguments.isSet(QStringLiteral("yes"));
    const QString file = arguments.positional().first();
    std::optional<Review> review = co_await printReview(context, file);
    if (!review)
        co_return 1;
    TweakEngine &engine = *review->engine;
    const Profile &profile = review->profile;
    const QList<ProfileDiffItem> &items = review->items;

    const qsizetype changes =
        std::count_if(items.cbegin(), items.cend(), [](const auto &i) { return i.isChanged(); });
    if (!yes &&
        !confirm(context.out, QStringLiteral("Apply %1?").arg(plural(changes, QStringLiteral("change"))))) {
        context.out << "Nothing applied.\n";
        co_return 0;
    }
    // Kept first, so `profile undo` can take the apply back.
    const Result<ProfileApplyReport> applied =
        co_await RestorePoints::applyKeepingRestorePoint(&engine, profile, QStringLiteral(VELMORA_VERSION));
    if (!applied) {
        context.err << "velmoractl: " << applied.error() << '\n';
        co_return 1;
    }
    co_return printApplied(context, *applied);
}

} // namespace velmora
