#include "ProfileUndoCommand.h"

#include "CommandContext.h"
#include "engine/TweakEngine.h"
#include "profiles/RestorePoints.h"

#include <QTextStream>

namespace velmora {

ProfileUndoCommand::ProfileUndoCommand()
    : ProfileCommand(QStringLiteral("undo"), QStringLiteral("take back the last profile applied"))
{
    addOption(QCommandLineOption(QStringLiteral("yes"), QStringLiteral("undo without asking")));
    setDetails(
        QStringLiteral("Each apply keeps the values it changes (the newest ten applies); undoing\n"
                       "puts back the newest and lets it go, so undoing again goes one apply further back."));
}

QCoro::Task<int> ProfileUndoCommand::run(CommandContext &context, CommandArguments arguments)
{
    const bool yes = arguments.isSet(QStringLiteral("yes"));
    const std::unique_ptr<TweakEngine> made = context.makeEngine();
    if (!made)
        co_return 1;
    TweakEngine &engine = *made;
    const QString folder = RestorePoints::folder(engine.platform().fileLocations());
    const std::optional<Result<RestorePoint>> latest = RestorePoints::latest(folder);
    if (!latest) {
        context.err << "velmoractl: nothing to undo: no restore point in " << folder
                    << " (one is kept each time a profile is applied)\n";
        co_return 1;
    }
    if (!*latest) {
        context.err << "velmoractl: the last restore point cannot be read: " << latest->error() << '\n';
        co_return 1;
    }
    const RestorePoint point = latest->value();
    const Profile shown = point.reviewProfile();
    const QList<ProfileDiffItem> items = co_await computeItems(shown, &engine);
    printDiff(context.out, shown, items);
    const qsizetype changes =
        std::count_if(items.cbegin(), items.cend(), [](const auto &i) { return i.isChanged(); });
    if (!yes &&
        !confirm(context.out, QStringLiteral("Undo %1?").arg(plural(changes, QStringLiteral("change"))))) {
        context.out << "Nothing undone.\n";
        co_return 0;
    }
    const ProfileApplyReport report = co_await RestorePoints::undo(&engine, point);
    co_return printApplied(context, report);
}

} // namespace velmora
