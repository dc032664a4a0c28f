#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl wallpaper set IMAGE …`: sets the desktop picture of every display or of one.
class WallpaperSetCommand : public Command {
public:
    WallpaperSetCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
