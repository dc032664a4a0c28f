#include "SimulatedRoot.h"

#include "FileLock.h"
#include "SimulatedSeed.h"
#include "plist/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace velmora {

namespace {

// Real ByHost files carry the machine's hardware UUID; the simulated Mac has this one.
const QString kHostUUID = QStringLiteral("5A1B7C3D-0E4F-4A6B-8C9D-0E1F2A3B4C5D");

bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c == QLatin1Char('/') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

} // namespace

QString SimulatedRoot::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Velmora/Simulated Mac");
}

QString SimulatedRoot::resolvePath(const QString &explicitPath)
{
    if (!explicitPath.isEmpty())
        return QDir(explicitPath).absolutePath();
    const QString fromEnvironment = qEnvironmentVariable(environmentVariable());
    if (!fromEnvironment.isEmpty())
        return QDir(fromEnvironment).absolutePath();
    return defaultPath();
}

SimulatedRoot::SimulatedRoot(QString path) : m_path(QDir::cleanPath(std::move(path))) {}

QString SimulatedRoot::home() const
{
    return m_path + QStringLiteral("/Users/") + userName();
}

QString SimulatedRoot::preferencesFolder() const
{
    return home() + QStringLiteral("/Library/Preferences");
}

QString SimulatedRoot::globalPreferencesFile() const
{
    return preferencesFolder() + QStringLiteral("/.GlobalPreferences.plist");
}

QString SimulatedRoot::applicationSupport() const
{
    return home() + QStringLiteral("/Library/Application Support");
}

QString SimulatedRoot::privacyDatabase() const
{
    return m_path + QStringLiteral("/Library/Application Support/com.apple.TCC/TCC.db");
}

QString SimulatedRoot::systemVersionFile() const
{
    return m_path + QStringLiteral("/System/Library/CoreServices/SystemVersion.plist");
}

QString SimulatedRoot::stateFolder() const
{
    return m_path + QStringLiteral("/.simulated");
}

QString SimulatedRoot::restartLog() const
{
    return stateFolder() + QStringLiteral("/restarts.log");
}

QString SimulatedRoot::openedURLLog() const
{
    return stateFolder() + QStringLiteral("/opened-urls.log");
}

QString SimulatedRoot::systemLog() const
{
    return stateFolder() + QStringLiteral("/system.log");
}

Result<QString> SimulatedRoot::domainFile(const QString &domain) const
{
    if (!isSafeName(domain))
        return Result<QString>::failure(
            QStringLiteral("Refusing the domain name \"%1\": it is not a plain domain name.").arg(domain));
    return preferencesFolder() + QLatin1Char('/') + domain + QStringLiteral(".plist");
}

Result<QString> SimulatedRoot::byHostDomainFile(const QString &domain) const
{
    if (!isSafeName(domain))
        return Result<QString>::failure(
            QStringLiteral("Refusing the domain name \"%1\": it is not a plain domain name.").arg(domain));
    return preferencesFolder() + QStringLiteral("/ByHost/") + domain + QLatin1Char('.') + kHostUUID +
           QStringLiteral(".plist");
}

Result<QString> SimulatedRoot::hostPath(const QString &macPath) const
{
    if (!macPath.startsWith(QLatin1Char('/')))
        return Result<QString>::failure(QStringLiteral("\"%1\" is not an absolute path.").arg(macPath));
    const QStringList parts = macPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String(".") || !isSafeName(part))
            return Result<QString>::failure(
                QStringLiteral("Refusing the path \"%1\": it could leave the simulated Mac.").arg(macPath));
    }
    return m_path + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool SimulatedRoot::isInitialized() const
{
    return QFileInfo(stateFolder()).isDir() && QFileInfo(preferencesFolder()).isDir();
}

Status SimulatedRoot::initialize() const
{
    return SimulatedSeed(*this).plant();
}

bool PreferenceDomainFile::exists() const
{
    return QFileInfo::exists(m_path);
}

Result<QVariantMap> PreferenceDomainFile::load() const
{
    if (!QFileInfo::exists(m_path))
        return QVariantMap();
    Result<QVariant> parsed = PropertyList::readFile(m_path);
    if (!parsed)
        return Result<QVariantMap>::failure(parsed.error());
    if (parsed->typeId() != QMetaType::QVariantMap)
        return Result<QVariantMap>::failure(
            QStringLiteral("Could not read %1: its root is not a dictionary").arg(m_path));
    return parsed->toMap();
}

Status PreferenceDomainFile::makeFolder() const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        return Status::failure(QStringLiteral("Could not create the folder %1").arg(folder));
    return Status::success();
}

Status PreferenceDomainFile::write(const QVariantMap &values) const
{
    return PropertyList::writeFile(m_path, values, PropertyList::Format::binary);
}

PreferenceDomainFile::UpdateStatus PreferenceDomainFile::update(const Change &change) const
{
    using Step = UpdateError::Step;
    const auto stop = [](Step step, QString message) {
        return UpdateStatus::failure({step, std::move(message)});
    };
    if (const Status made = makeFolder(); !made)
        return stop(Step::write, made.error());
    const Result<FileLock> lock = FileLock::acquire(m_path);
    if (!lock)
        return stop(Step::lock, lock.error());
    Result<QVariantMap> values = load();
    if (!values)
        return stop(Step::read, values.error());
    const Result<Outcome> outcome = change(values.value());
    if (!outcome)
        return stop(Step::change, outcome.error());
    if (*outcome == Outcome::leave)
        return UpdateStatus::success();
    if (const Status written = write(*values); !written)
        return stop(Step::write, written.error());
    return UpdateStatus::success();
}

Status PreferenceDomainFile::save(const QVariantMap &values) const
{
    if (const Status made = makeFolder(); !made)
        return made;
    const Result<FileLock> lock = FileLock::acquire(m_path);
    if (!lock)
        return Status::failure(lock.error());
    return write(values);
}

Result<bool> PreferenceDomainFile::remove() const
{
    if (!exists())
        return false;
    const Result<FileLock> lock = FileLock::acquire(m_path);
    if (!lock)
        return Result<bool>::failure(lock.error());
    if (::unlink(QFile::encodeName(m_path).constData()) == 0)
        return true;
    const int error = errno;
    if (error == ENOENT) // another writer deleted it first
        return false;
    return Result<bool>::failure(
        QStringLiteral("%1: %2").arg(m_path, QString::fromStdString(std::generic_category().message(error))));
}

} // namespace velmora
