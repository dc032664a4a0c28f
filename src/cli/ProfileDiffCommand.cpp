#include "ProfileDiffCommand.h"

namespace velmora {

ProfileDiffCommand::ProfileDiffCommand()
    : ProfileCommand(QStringLiteral("diff"), QStringLiteral("what applying a profile would change"),
                     QStringLiteral("the profile to compare with the current settings"))
{
}

QCoro::Task<int> ProfileDiffCommand::run(CommandContext &context, CommandArguments arguments)
{
    const QString file = arguments.positional().first();
    const std::optional<Review> review = co_await printReview(context, file);
    if (!review)
        co_return 1;
    co_return 0;
}

} // namespace velmora
