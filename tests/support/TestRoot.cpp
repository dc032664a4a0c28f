#include "TestRoot.h"

#include "catalogue/TweakRegistry.h"
#include "dock/DockAppsTweakHandler.h"
#include "wallpaper/WallpaperTweakHandler.h"

#include <QDir>
#include <QFileInfo>

namespace velmora::test {

TestRoot::TestRoot(Seed seed)
{
    if (seed == Seed::standard)
        SimulatedRoot(m_dir.path()).initialize();
    m_platform = std::make_unique<SimulatedPlatform>(m_dir.path(), QStringLiteral(VELMORA_LIBEXEC_DIR));
}

std::unique_ptr<SimulatedPlatform> TestRoot::makePlatform() const
{
    return std::make_unique<SimulatedPlatform>(m_dir.path(), QStringLiteral(VELMORA_LIBEXEC_DIR));
}

QVariantMap TestRoot::domain(const QString &domain) const
{
    const Result<QVariantMap> values = PreferenceDomainFile(*root().domainFile(domain)).load();
    return values ? *values : QVariantMap();
}

QVariantMap TestRoot::globalDomain() const
{
    const Result<QVariantMap> values = PreferenceDomainFile(root().globalPreferencesFile()).load();
    return values ? *values : QVariantMap();
}

void TestRoot::writeDomain(const QString &domain, const QVariantMap &values) const
{
    PreferenceDomainFile(*root().domainFile(domain)).save(values);
}

void TestRoot::writeGlobalDomain(const QVariantMap &values) const
{
    PreferenceDomainFile(root().globalPreferencesFile()).save(values);
}

QString TestRoot::writeTool(const QString &name, const QByteArray &script) const
{
    const QString folder = m_dir.path() + QStringLiteral("/.test-tools");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(script);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString TestRoot::writeFailingTool(const QString &name, const QByteArray &message, int status) const
{
    return writeTool(name, "#!/bin/sh\nprintf '%s\\n' '" + message + "' >&2\nexit " +
                               QByteArray::number(status) + "\n");
}

QStringList TestRoot::restartLog() const
{
    return QString::fromUtf8(readAll(root().restartLog())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

TweakHandlers standardHandlers()
{
    return *TweakHandlers::bind(TweakRegistry::shared(),
                                {{QStringLiteral("dock.apps"), makeDockAppsTweakHandler()},
                                 {QStringLiteral("wallpaper.config"), makeWallpaperTweakHandler()}});
}

} // namespace velmora::test
