#include "SimulatedWorkspace.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace velmora {

QIcon SimulatedWorkspace::iconForFile(const QString &path) const
{
    // The desktop theme's generic icons stand in for the icons bundles carry.
    if (path.endsWith(QLatin1String(".app")) || path.endsWith(QLatin1String(".app/")))
        return QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (QFileInfo(path).isDir())
        return QIcon::fromTheme(QStringLiteral("folder"));
    return QIcon::fromTheme(QStringLiteral("text-x-generic"));
}

Status SimulatedWorkspace::openURL(const QUrl &url)
{
    if (!url.isValid())
        return Status::failure(QStringLiteral("The URL \"%1\" is not valid.").arg(url.toString()));
    return appendLine(m_root.openedURLLog(), url.toString(QUrl::FullyEncoded));
}

void SimulatedWorkspace::playAlertSound()
{
    appendLine(m_root.systemLog(), QStringLiteral("[sound] alert"));
}

void SimulatedWorkspace::log(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    appendLine(m_root.systemLog(), line);
}

Status SimulatedWorkspace::appendLine(const QString &file, const QString &line) const
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (!out.open(QIODevice::Append | QIODevice::Text))
        return Status::failure(QStringLiteral("Could not write %1: %2").arg(file, out.errorString()));
    QTextStream stream(&out);
    stream << QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) << '\t' << line << '\n';
    return Status::success();
}

} // namespace velmora
