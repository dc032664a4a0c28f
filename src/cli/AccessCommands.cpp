#include "AccessCommands.h"

#include "CommandContext.h"

namespace velmora {

QCoro::Task<int> runAccessCommand(CommandContext &context, QStringList args)
{
    Q_UNUSED(args);
    context.err << "velmoractl: \"access\" is not available yet\n";
    co_return 1;
}

} // namespace velmora
