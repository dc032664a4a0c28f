#pragma once

#include "ShellError.h"
#include "ShellRunner.h"
#include "catalogue/PreferenceKey.h"
#include "catalogue/TweakValue.h"
#include "common/Result.h"

#include <QCoro/QCoroTask>

#include <optional>

namespace velmora {

class Platform;

/// The one place a tweak's preference is read, written or deleted. Reads go straight to the
/// platform's preferences service; writes and deletes run the `defaults` tool, so a change lands
/// exactly as if the user had typed the command. Holds no cache.
class PreferencesBackend {
public:
    using WriteStatus = BasicStatus<ShellError>;

    explicit PreferencesBackend(Platform &platform) : m_platform(&platform) {}

    /// The stored value converted to the key's declared type; nothing when there is no value or it
    /// does not convert. Never fails.
    std::optional<TweakValue> read(const PreferenceKey &key) const;

    /// `defaults write DOMAIN KEY -TYPE VALUE`; the value's own case picks the type flag.
    QCoro::Task<WriteStatus> write(QString domain, QString key, TweakValue value) const;

    /// `defaults delete DOMAIN KEY`. A key or domain that is not there counts as deleted.
    QCoro::Task<WriteStatus> deleteValue(QString domain, QString key) const;

    /// Writes a tweak's value where its key says: the key itself, or one entry of the dictionary under
    /// it (`-dict-add`, keeping the other entries; a value there that is no dictionary is replaced).
    QCoro::Task<WriteStatus> write(PreferenceKey key, TweakValue value) const;
    /// Deletes a tweak's value: the key, or only its entry of the dictionary under the key.
    QCoro::Task<WriteStatus> deleteValue(PreferenceKey key) const;

    /// The `defaults` arguments that write a value under a key: "write DOMAIN KEY -TYPE VALUE", or
    /// "write DOMAIN KEY -dict-add ENTRY -TYPE VALUE" for an entry of a dictionary. What a script of
    /// `defaults` lines says to reproduce the write.
    static QStringList writeArguments(const PreferenceKey &key, const TweakValue &value);
    /// The property-list value the system keeps under the key for a value: the value itself, or a
    /// dictionary holding it under the entry ({gregorian = 2;}). What a managed preference sets.
    static QVariant storedValue(const PreferenceKey &key, const TweakValue &value);

    /// The application id under which the preferences service knows a `defaults` domain: the same,
    /// but for "NSGlobalDomain", a name only the tool knows.
    static QString applicationID(const QString &domain);

    /// Converts a stored property-list value to a declared type, by the rules of `read`.
    static std::optional<TweakValue> convert(const QVariant &stored, TweakValueType type);

    /// The flag and value text `write` passes for a value ("-float", "2.0").
    static QStringList typedArguments(const TweakValue &value);

private:
    QCoro::Task<WriteStatus> runWrite(QStringList arguments) const;

    Platform *m_platform;
};

} // namespace velmora
