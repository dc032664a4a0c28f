#pragma once

#include "Command.h"

namespace velmora {

/// `velmoractl wallpaper show [--json]`: each display and its desktop picture.
class WallpaperShowCommand : public Command {
public:
    WallpaperShowCommand();

protected:
    QCoro::Task<int> run(CommandContext &context, CommandArguments arguments) override;
};

} // namespace velmora
