#include "MacPlatform.h"

#include "MacFileLocations.h"
#include "platform/MacPaths.h"

namespace velmora {

QString MacPlatform::description() const
{
    return QStringLiteral("macOS");
}

QString MacPlatform::defaultsToolPath() const
{
    return MacPaths::defaultsTool();
}

QString MacPlatform::killallToolPath() const
{
    return MacPaths::killallTool();
}

FileLocations MacPlatform::fileLocations() const
{
    return MacFileLocations::current();
}

UpdateFramework *MacPlatform::updateFramework()
{
    if (!m_updates)
        m_updates = std::make_unique<MacUpdateFramework>();
    return m_updates.get();
}

} // namespace velmora
