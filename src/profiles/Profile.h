#pragma once

#include "catalogue/TweakValue.h"
#include "common/Result.h"

#include <QCoro/QCoroTask>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

class TweakEngine;

/// A named, dated set of tweak values, saved to a file the user can keep, move and load again.
/// Values may hold ids the running catalogue does not know (a file from another version): they are
/// kept, and review and apply pass them over.
struct Profile {
    QUuid id;
    QString name;
    std::optional<QString> notes;
    QDateTime createdAt;
    qint64 schemaVersion = 1;
    QString appVersion;
    QMap<QString, TweakValue> values;

    /// A new profile of the current settings: reads every tweak afresh first. Named "Profile " and
    /// today's date (yyyy-MM-dd, local time). Without values should the engine go away meanwhile.
    static QCoro::Task<Profile> makeFromCurrentState(TweakEngine *engine, QString appVersion);

    /// The file's property list: a dictionary with the keys "id", "name", ["notes",] "createdAt",
    /// "schemaVersion", "appVersion" and "values" (each value in its coded form).
    QVariantMap toPropertyList() const;
    /// Reads that dictionary: every key but "notes" is required with the right element kind, "id" is a
    /// UUID text, each value decodes; other keys are ignored. One fault fails the whole profile.
    static Result<Profile> fromPropertyList(const QVariant &plist);

    /// The profile as an XML property list.
    Result<QByteArray> encode() const;
    /// The same XML as pieces to write one after the other: a long value (a picture's Base64) is a
    /// piece of its own, shared with the profile rather than copied into the document.
    Result<QList<QByteArray>> encodePieces() const;
    /// A profile from XML or binary property-list bytes. Long texts come back held as UTF-8, the
    /// longest in the buffer of `bytes`: move the bytes in when they are not needed afterwards.
    static Result<Profile> decode(QByteArray bytes);

    friend bool operator==(const Profile &a, const Profile &b);
};

} // namespace velmora
