#include "PlatformFactory.h"

#include "platform/simulated/SimulatedPlatform.h"

#ifdef VELMORA_NATIVE_PLATFORM
#include "platform/macos/MacPlatform.h"
#endif

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace velmora {

namespace {

// The path as it would be typed in a shell, so the suggested command can be pasted as it is.
QString shellWord(const QString &path)
{
    const auto plain = [](QChar c) {
        return c.isLetterOrNumber() || QStringLiteral("/._-+,:@%=").contains(c);
    };
    if (!path.isEmpty() && std::all_of(path.cbegin(), path.cend(), plain))
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

PlatformKind choosePlatformKind(const PlatformOptions &options, bool nativeAvailable)
{
    if (!nativeAvailable || !options.simulatedRoot.isEmpty() ||
        !qEnvironmentVariableIsEmpty(SimulatedRoot::environmentVariable()))
        return PlatformKind::simulated;
    return PlatformKind::native;
}

bool nativePlatformAvailable()
{
#ifdef VELMORA_NATIVE_PLATFORM
    return true;
#else
    return false;
#endif
}

Result<std::unique_ptr<Platform>> createPlatform(const PlatformOptions &options)
{
    using R = Result<std::unique_ptr<Platform>>;
#ifdef VELMORA_NATIVE_PLATFORM
    if (choosePlatformKind(options, nativePlatformAvailable()) == PlatformKind::native)
        return R(std::make_unique<MacPlatform>());
#endif
    const SimulatedRoot root(SimulatedRoot::resolvePath(options.simulatedRoot));
    if (!root.isInitialized()) {
        const QFileInfo info(root.path());
        if (info.exists() && !info.isDir())
            return R::failure(QStringLiteral("%1 is a file, not a simulated Mac.").arg(root.path()));
        // Only the per-user default comes into being by itself. Any other folder was named by the
        // user, and a typo there must not quietly grow a Mac full of seeded values.
        if (root.path() != SimulatedRoot(SimulatedRoot::defaultPath()).path())
            return R::failure(QStringLiteral("%1 holds no simulated Mac; create one with: "
                                             "velmoractl --simulated-root %2 init")
                                  .arg(root.path(), shellWord(root.path())));
        if (info.exists() &&
            !QDir(root.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            return R::failure(QStringLiteral("%1 holds other files and no simulated Mac; create one there "
                                             "with: velmoractl --simulated-root %2 init")
                                  .arg(root.path(), shellWord(root.path())));
        const Status seeded = root.initialize();
        if (!seeded)
            return R::failure(seeded.error());
    }
    return R(std::make_unique<SimulatedPlatform>(root.path()));
}

} // namespace velmora
