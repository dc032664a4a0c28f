#include "PlatformFactory.h"

#include "simulated/SimulatedPlatform.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

Result<std::unique_ptr<Platform>> createPlatform(const PlatformOptions &options)
{
    using R = Result<std::unique_ptr<Platform>>;
    const SimulatedRoot root(SimulatedRoot::resolvePath(options.simulatedRoot));
    if (!root.isInitialized()) {
        const QFileInfo info(root.path());
        if (info.exists() && !info.isDir())
            return R::failure(QStringLiteral("%1 is a file, not a simulated Mac.").arg(root.path()));
        if (info.exists() && !QDir(root.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            return R::failure(QStringLiteral("%1 holds other files and no simulated Mac; "
                                             "run \"velmoractl --simulated-root %1 init\" to lay one out there.")
                                  .arg(root.path()));
        const Status seeded = root.initialize();
        if (!seeded)
            return R::failure(seeded.error());
    }
    return R(std::make_unique<SimulatedPlatform>(root.path()));
}

} // namespace velmora
