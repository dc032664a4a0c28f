#pragma once

#include <QStringList>

namespace velmora {

class CommandContext;

/// `velmoractl init`: lays out and seeds the simulated Mac, leaving whatever is already there.
int runInitCommand(CommandContext &context, const QStringList &args);

} // namespace velmora
