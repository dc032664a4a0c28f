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

/// Makes the platform for this run. Here that is always the simulated Mac: a root that does not
/// exist yet, or an empty folder, is laid out and seeded; a folder with other content is refused
/// rather than filled with a Mac.
Result<std::unique_ptr<Platform>> createPlatform(const PlatformOptions &options);

} // namespace velmora
