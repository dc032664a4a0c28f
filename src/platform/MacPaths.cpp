#include "MacPaths.h"

namespace velmora::MacPaths {

namespace {

QString withoutTrailingSeparators(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

QString defaultsTool()
{
    return QStringLiteral("/usr/bin/defaults");
}

QString killallTool()
{
    return QStringLiteral("/usr/bin/killall");
}

QString privacyDatabase()
{
    return QStringLiteral("/Library/Application Support/com.apple.TCC/TCC.db");
}

FileLocations fileLocations(const QString &home, const QString &applicationSupport)
{
    const QString homeFolder = withoutTrailingSeparators(home);
    const QString support = applicationSupport.isEmpty()
                                ? homeFolder + QStringLiteral("/Library/Application Support")
                                : withoutTrailingSeparators(applicationSupport);
    return FileLocations{
        homeFolder,
        support,
        {QStringLiteral("/Applications"), QStringLiteral("/Applications/Utilities"),
         QStringLiteral("/System/Applications"), QStringLiteral("/System/Applications/Utilities"),
         homeFolder + QStringLiteral("/Applications")},
        privacyDatabase(),
    };
}

QString updateFramework(const QString &bundlePrivateFrameworksPath)
{
    return withoutTrailingSeparators(bundlePrivateFrameworksPath) + QStringLiteral("/Sparkle.framework");
}

QString updateControllerClass()
{
    return QStringLiteral("SPUStandardUpdaterController");
}

} // namespace velmora::MacPaths
