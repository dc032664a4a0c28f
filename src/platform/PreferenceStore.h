#pragma once

#include "common/Result.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace velmora {

/// The operating system's preferences service: typed property-list values per application domain,
/// for the current user. Values are the in-memory property lists of `PropertyList` (bool, qint64,
/// double, QString, QDateTime, QByteArray, QVariantList, QVariantMap).
class PreferenceStore {
public:
    /// The application id that names the global domain, seen by every application.
    static QString anyApplication() { return QStringLiteral("kCFPreferencesAnyApplication"); }

    virtual ~PreferenceStore() = default;

    /// The current value of `key` for `applicationID`, searched as the system does (the
    /// application's own domain, then the global one); an invalid QVariant when there is none.
    /// Never fails: an unreadable domain reads as empty.
    virtual QVariant copyAppValue(const QString &key, const QString &applicationID) const = 0;

    /// Sets `key` in the application's own domain; an invalid QVariant removes it.
    virtual Status setAppValue(const QString &key, const QVariant &value, const QString &applicationID) = 0;

    /// Flushes pending changes so other processes see them.
    virtual bool synchronize(const QString &applicationID) = 0;

    /// Why the application's own domain cannot be read (a damaged file, say); nothing when it can or
    /// when the platform cannot tell. Single reads never fail, so this is how a caller that gathers
    /// many values learns that some of them were missed.
    virtual std::optional<QString> readProblem(const QString &applicationID) const = 0;
};

} // namespace velmora
