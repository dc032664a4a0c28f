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

/// Which backend serves a run.
enum class PlatformKind { native, simulated };

/// The native backend where this build has one, unless the command line (`--simulated-root`) or
/// $VELMORA_SIMULATED_ROOT names a simulated Mac; the simulated one otherwise.
PlatformKind choosePlatformKind(const PlatformOptions &options, bool nativeAvailable);

/// Whether this build carries the native backend (macOS builds do).
bool nativePlatformAvailable();

/// Makes the platform for this run, of the kind `choosePlatformKind` picks. For the simulated
/// Mac, the per-user default
/// root is laid out and seeded on first use (when it does not exist yet or is an empty folder); any
/// other folder that holds no simulated Mac is refused, with the `velmoractl … init` command that
/// creates one.
Result<std::unique_ptr<Platform>> createPlatform(const PlatformOptions &options);

} // namespace velmora
