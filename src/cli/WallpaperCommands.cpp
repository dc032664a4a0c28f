#include "WallpaperCommands.h"

#include "CommandContext.h"

namespace velmora {

QCoro::Task<int> runWallpaperCommand(CommandContext &context, QStringList args)
{
    Q_UNUSED(args);
    context.err << "velmoractl: \"wallpaper\" is not available yet\n";
    co_return 1;
}

} // namespace velmora
