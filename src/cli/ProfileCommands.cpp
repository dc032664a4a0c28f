#include "ProfileCommands.h"

#include "CommandContext.h"

namespace velmora {

QCoro::Task<int> runProfileCommand(CommandContext &context, QStringList args)
{
    Q_UNUSED(args);
    context.err << "velmoractl: \"profile\" is not available yet\n";
    co_return 1;
}

} // namespace velmora
