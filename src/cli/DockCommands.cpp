#include "DockCommands.h"

#include "CommandContext.h"

namespace velmora {

QCoro::Task<int> runDockCommand(CommandContext &context, QStringList args)
{
    Q_UNUSED(args);
    context.err << "velmoractl: \"dock\" is not available yet\n";
    co_return 1;
}

} // namespace velmora
