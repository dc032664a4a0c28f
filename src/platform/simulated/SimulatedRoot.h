#pragma once

#include "common/Result.h"

#include <QString>
#include <QVariantMap>

namespace velmora {

/// The folder that holds a miniature Mac: /Applications, /System, /Library, /Users/<user> and a
/// hidden `.simulated/` for what the real system keeps elsewhere (displays, desktop pictures,
/// the logs of restarts and opened URLs).
class SimulatedRoot {
public:
    /// The environment variable through which the app hands the root to its child processes.
    static const char *environmentVariable() { return "VELMORA_SIMULATED_ROOT"; }
    /// The per-user default: "<application data>/Velmora/Simulated Mac".
    static QString defaultPath();
    /// An explicit path wins, then the environment variable, then the default.
    static QString resolvePath(const QString &explicitPath = QString());

    explicit SimulatedRoot(QString path);

    const QString &path() const { return m_path; }
    static QString userName() { return QStringLiteral("user"); }

    QString home() const;
    QString preferencesFolder() const;
    QString globalPreferencesFile() const;
    QString applicationSupport() const;
    QString privacyDatabase() const;
    QString stateFolder() const;
    QString restartLog() const;
    QString openedURLLog() const;
    QString systemLog() const;

    /// The plist of an application domain. Refuses names that could leave the preferences folder
    /// ("", ".", "..", anything with "/" or a control character).
    Result<QString> domainFile(const QString &domain) const;
    /// The host-specific plist of a domain (`defaults -currentHost`).
    Result<QString> byHostDomainFile(const QString &domain) const;
    /// A path inside the root for an absolute Mac path ("/Library/Preferences/x" → "<root>/Library/…").
    /// Refuses ".." components.
    Result<QString> hostPath(const QString &macPath) const;

    /// Whether `initialize` has run here.
    bool isInitialized() const;
    /// Lays out the folders and seeds realistic content. Existing files are never overwritten, so it
    /// is safe to run on a root in use.
    Status initialize() const;

private:
    QString m_path;
};

/// One preference domain's file: a dictionary stored as a binary property list, as the real system
/// stores preferences.
class PreferenceDomainFile {
public:
    explicit PreferenceDomainFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }
    bool exists() const;
    /// The domain's keys; an empty dictionary when the file does not exist. A corrupt file, or one
    /// whose root is not a dictionary, is an error.
    Result<QVariantMap> load() const;
    /// Replaces the file atomically (temporary file, rename); creates missing folders.
    Status save(const QVariantMap &values) const;

private:
    QString m_path;
};

} // namespace velmora
