#pragma once

#include "common/Result.h"

#include <QString>
#include <QVariantMap>

#include <functional>

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
    /// "System/Library/CoreServices/SystemVersion.plist": the running system's name and version.
    QString systemVersionFile() const;
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
///
/// Every change goes through `update`, `save` or `remove`, which hold the domain's lock (a
/// `FileLock`) for the whole of it: writers in any number of processes and threads take turns,
/// and none loses another's change. Reading needs no lock, as a file is only ever replaced whole.
class PreferenceDomainFile {
public:
    /// What a change decided: write the edited keys back, or leave the file as it is.
    enum class Outcome { write, leave };
    /// Edits the keys in place; a failure refuses the change with its text.
    using Change = std::function<Result<Outcome>(QVariantMap &values)>;

    /// Where an update stopped, so a caller can word the failure its own way.
    struct UpdateError {
        enum class Step { lock, read, change, write };
        Step step = Step::read;
        QString message;
    };
    using UpdateStatus = BasicStatus<UpdateError>;

    explicit PreferenceDomainFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }
    bool exists() const;
    /// The domain's keys; an empty dictionary when the file does not exist. A corrupt file, or one
    /// whose root is not a dictionary, is an error.
    Result<QVariantMap> load() const;
    /// Reads the keys, applies `change` and writes them back as one step no other writer can come
    /// between. Creates missing folders. A damaged file is left alone: `change` never runs.
    UpdateStatus update(const Change &change) const;
    /// Replaces the whole domain, whatever the file held (even a damaged one); creates missing folders.
    Status save(const QVariantMap &values) const;
    /// Deletes the file; false when there was none.
    Result<bool> remove() const;

private:
    Status makeFolder() const;
    Status write(const QVariantMap &values) const;

    QString m_path;
};

} // namespace velmora
