#include "SimulatedPreferenceStore.h"

namespace velmora {

Result<QString> SimulatedPreferenceStore::fileFor(const QString &applicationID) const
{
    if (applicationID == anyApplication())
        return m_root.globalPreferencesFile();
    return m_root.domainFile(applicationID);
}

QVariant SimulatedPreferenceStore::copyAppValue(const QString &key, const QString &applicationID) const
{
    // The search list of the real service: the application's domain, then the global domain.
    const Result<QString> own = fileFor(applicationID);
    if (!own)
        return QVariant();
    const Result<QVariantMap> values = PreferenceDomainFile(*own).load();
    if (values && values->contains(key))
        return values->value(key);
    if (applicationID == anyApplication())
        return QVariant();
    const Result<QVariantMap> global = PreferenceDomainFile(m_root.globalPreferencesFile()).load();
    return global ? global->value(key) : QVariant();
}

Status SimulatedPreferenceStore::setAppValue(const QString &key, const QVariant &value,
                                             const QString &applicationID)
{
    const Result<QString> path = fileFor(applicationID);
    if (!path)
        return Status::failure(path.error());
    using Outcome = PreferenceDomainFile::Outcome;
    // A damaged domain is left as it is rather than replaced by one holding a single key.
    const PreferenceDomainFile::UpdateStatus updated =
        PreferenceDomainFile(*path).update([&key, &value](QVariantMap &values) -> Result<Outcome> {
            if (value.isValid())
                values.insert(key, value);
            else if (!values.remove(key))
                return Outcome::leave;
            return Outcome::write;
        });
    return updated ? Status::success() : Status::failure(updated.error().message);
}

bool SimulatedPreferenceStore::synchronize(const QString &applicationID)
{
    // Every set is written through at once.
    return fileFor(applicationID).ok();
}

std::optional<QString> SimulatedPreferenceStore::readProblem(const QString &applicationID) const
{
    const Result<QString> path = fileFor(applicationID);
    if (!path)
        return path.error();
    const Result<QVariantMap> values = PreferenceDomainFile(*path).load();
    if (!values)
        return values.error();
    return std::nullopt;
}

} // namespace velmora
