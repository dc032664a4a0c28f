#pragma once

#include <QCoro/QCoroTask>
#include <QStringList>

namespace velmora {

class CommandContext;

/// `velmoractl wallpaper …`. Returns the exit status.
QCoro::Task<int> runWallpaperCommand(CommandContext &context, QStringList args);

} // namespace velmora
