#pragma once

#include "common/Result.h"
#include "platform/simulated/SimulatedRoot.h"

#include <QStringList>
#include <QVariantMap>

namespace velmora::defaults {

/// The simulated Mac's `defaults`: reads and writes the preference domains of a simulated root
/// with the verbs, options and messages of the system tool, so scripts written for a real Mac run
/// unchanged against the root.
class DefaultsTool {
public:
    explicit DefaultsTool(SimulatedRoot root) : m_root(std::move(root)) {}

    /// Runs one command line (without the program name); returns the exit status.
    int run(QStringList arguments);

private:
    /// A domain argument and the file it names.
    struct Domain {
        QString name; // as the user typed it, for messages
        QString file;
    };

    Result<Domain> resolve(const QString &argument) const;
    Result<QVariantMap> load(const Domain &domain) const;
    /// One key's value; "The domain/default pair … does not exist" when the domain or key is missing.
    Result<QVariant> storedValue(const Domain &domain, const QString &key) const;
    Status save(const Domain &domain, const QVariantMap &values) const;
    /// Reads, changes and writes a domain under its lock; the exit status, the failure printed.
    int update(const Domain &domain, const PreferenceDomainFile::Change &change) const;
    /// Every domain of the preferences folder by name, the global one as "NSGlobalDomain".
    QMap<QString, QString> domainFiles(bool includeGlobal) const;

    int read(const QStringList &arguments);
    int readType(const QStringList &arguments);
    int write(const QStringList &arguments);
    int writeWholeDomain(const Domain &domain, const QString &text);
    int remove(const QStringList &arguments);
    int listDomains(const QStringList &arguments);
    int exportDomain(const QStringList &arguments);
    int importDomain(const QStringList &arguments);

    SimulatedRoot m_root;
    bool m_currentHost = false;
};

} // namespace velmora::defaults
