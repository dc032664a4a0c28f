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

    /// The application id under which the preferences service knows a `defaults` domain: the same,
    /// but for "NSGlobalDomain", a name only the tool knows.
    static QString applicationID(const QString &domain);

    /// Converts a stored property-list value to a declared type, by the rules of `read`.
    static std::optional<TweakValue> convert(const QVariant &stored, TweakValueType type);

    /// The flag and value text `write` passes for a value ("-float", "2.0").
    static QStringList typedArguments(const TweakValue &value);

private:
    Platform *m_platform;
};

} // namespace velmora
