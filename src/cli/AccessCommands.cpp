#include "AccessCommands.h"

#include "CommandContext.h"
#include "platform/FullDiskAccess.h"

namespace velmora {

QCoro::Task<int> runAccessCommand(CommandContext &context, QStringList args)
{
    if (!args.isEmpty()) {
        context.err << "usage: velmoractl access\n";
        co_return 2;
    }
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
