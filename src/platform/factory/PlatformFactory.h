#pragma once

#include "common/Result.h"
#include "platform/Platform.h"

#include <QString>

#include <memory>

namespace velmora {

/// How the application asked for its platform.
struct PlatformOptions {
    /// The simulated Mac's folder; empty for $VELMORA_SIMULATED_ROOT or the per-user default.
    QString simulatedRoot;
};

/// Makes the platform for this run. Here that is always the simulated Mac. The per-user default
/// root is laid out and seeded on first use (when it does not exist yet or is an empty folder); any
/// other folder that holds no simulated Mac is refused, with the `velmoractl … init` command that
/// creates one.
Result<std::unique_ptr<Platform>> createPlatform(const PlatformOptions &options);

} // namespace velmora
