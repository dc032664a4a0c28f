#include "InitCommand.h"

#include "CommandContext.h"
#include "platform/simulated/SimulatedRoot.h"

#include <QDir>

namespace velmora {

InitCommand::InitCommand()
    : Command(QStringLiteral("init"), QStringLiteral("lay out and seed the simulated Mac (never overwrites)"))
{
    setDetails(
        QStringLiteral("The Mac goes into the folder --simulated-root names, else $VELMORA_SIMULATED_ROOT,\n"
                       "else the per-user default one: velmoractl --simulated-root DIR init"));
}

QCoro::Task<int> InitCommand::run(CommandContext &context, CommandArguments)
{
    const SimulatedRoot root(SimulatedRoot::resolvePath(context.simulatedRoot));
    if (!QDir().mkpath(root.path())) {
        context.err << "velmoractl: cannot create " << root.path() << '\n';
        co_return 1;
    }
    const Status status = root.initialize();
    if (!status) {
        context.err << "velmoractl: " << status.error() << '\n';
        co_return 1;
    }
    context.out << "Simulated Mac ready at " << root.path() << '\n';
    co_return 0;
}

} // namespace velmora
