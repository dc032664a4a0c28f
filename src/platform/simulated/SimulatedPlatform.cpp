#include "SimulatedPlatform.h"

#include <QCoreApplication>
#include <QDir>

namespace velmora {

SimulatedPlatform::SimulatedPlatform(const QString &rootPath, const QString &toolsFolder)
    : m_root(rootPath), m_preferences(m_root), m_displays(m_root), m_workspace(m_root),
      m_operatingSystem(m_root)
{
    const QString tools = toolsFolder.isEmpty() ? defaultToolsFolder() : toolsFolder;
    m_defaultsTool = tools + QStringLiteral("/defaults");
    m_killallTool = tools + QStringLiteral("/killall");
    // Child processes inherit this process's environment; that is how the stand-ins find the root.
    qputenv(SimulatedRoot::environmentVariable(), QFile::encodeName(m_root.path()));
}

QString SimulatedPlatform::defaultToolsFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("VELMORA_LIBEXEC_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../libexec/velmora"));
}

QString SimulatedPlatform::description() const
{
    return QStringLiteral("simulated Mac at %1").arg(m_root.path());
}

FileLocations SimulatedPlatform::fileLocations() const
{
    const QString r = m_root.path();
    return FileLocations{
        m_root.home(),
        m_root.applicationSupport(),
        {r + QStringLiteral("/Applications"), r + QStringLiteral("/Applications/Utilities"),
         r + QStringLiteral("/System/Applications"), r + QStringLiteral("/System/Applications/Utilities"),
         m_root.home() + QStringLiteral("/Applications")},
        m_root.privacyDatabase(),
    };
}

} // namespace velmora
