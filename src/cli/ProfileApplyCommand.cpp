#include "ProfileApplyCommand.h"

#include "CommandContext.h"
#include "engine/TweakEngine.h"
#include "profiles/ProfileApplier.h"

#include <QTextStream>

#include <cstdio>

namespace velmora {

namespace {

bool confirm(QTextStream &out, const QString &question)
{
    out << question << " [y/N] ";
    out.flush();
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

} // namespace

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
    const ProfileApplyReport report = co_await applyProfile(&engine, profile);
    if (!report.ok()) {
        for (const ProfileApplyReport::Failure &failure : report.failures)
            context.err << "velmoractl: could not apply " << failure.title << " (" << failure.tweakID
                        << "): " << failure.reason.trimmed() << '\n';
        context.err << "velmoractl: " << report.failures.size() << " of "
                    << plural(report.attempted, QStringLiteral("value")) << " could not be applied; "
                    << "restarted what the others needed.\n";
        co_return 1;
    }
    context.out << "Applied " << plural(report.attempted, QStringLiteral("value"))
                << "; restarted what they needed.\n";
    co_return 0;
}

} // namespace velmora
