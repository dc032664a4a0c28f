#include "RootCommand.h"

#include "CommandContext.h"
#include "platform/simulated/SimulatedRoot.h"

#include <QDir>

namespace velmora {

int runInitCommand(CommandContext &context, const QStringList &args)
{
    if (!args.isEmpty()) {
        context.err << "usage: velmoractl [--simulated-root DIR] init\n";
        return 2;
    }
    const SimulatedRoot root(SimulatedRoot::resolvePath(context.simulatedRoot));
    if (!QDir().mkpath(root.path())) {
        context.err << "velmoractl: cannot create " << root.path() << '\n';
        return 1;
    }
    const Status status = root.initialize();
    if (!status) {
        context.err << "velmoractl: " << status.error() << '\n';
        return 1;
    }
    context.out << "Simulated Mac ready at " << root.path() << '\n';
    return 0;
}

} // namespace velmora
