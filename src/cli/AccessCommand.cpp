#include "AccessCommand.h"

#include "CommandContext.h"
#include "platform/FullDiskAccess.h"

namespace velmora {

AccessCommand::AccessCommand()
    : Command(QStringLiteral("access"),
              QStringLiteral("whether Full Disk Access is granted (exit 0) or not (1)"))
{
}

QCoro::Task<int> AccessCommand::run(CommandContext &context, CommandArguments)
{
    Platform *platform = context.platform();
    if (!platform)
        co_return 1;
    const FileLocations locations = platform->fileLocations();
    if (FullDiskAccess::isGranted(locations)) {
        context.out << "Full Disk Access: granted\n";
        co_return 0;
    }
    context.out << "Full Disk Access: not granted (" << locations.privacyDatabase << " cannot be read)\n";
    co_return 1;
}

} // namespace velmora
