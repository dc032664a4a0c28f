#pragma once

#include "Profile.h"
#include "catalogue/RestartTarget.h"
#include "catalogue/TweakRegistry.h"

#include <QDateTime>
#include <QList>
#include <QVariant>

#include <optional>

namespace velmora {

/// A profile as the Mac stores it, which is what every export format writes: each value as the
/// preference it lands in, the desktop picture, the processes to restart, and every value that
/// cannot be written this way with the reason. Nothing of the profile is left out unlisted.
class ExportPlan {
public:
    /// One preference: where it lives and the property-list value stored there.
    struct Setting {
        QString tweakID;
        QString title;
        /// "NSGlobalDomain" for the global domain, as the `defaults` tool names it.
        QString domain;
        QString key;
        QVariant value;
        /// Kept per machine (`defaults -currentHost`): formats that cannot say so leave it out.
        bool currentHost = false;
    };
    /// A value left out of an export, and why.
    struct Skip {
        QString tweakID;
        QString title;
        QString reason;
    };
    /// The desktop picture the profile holds, by its path on the Mac.
    struct Picture {
        QString tweakID;
        QString title;
        QString path;
    };

    /// The plan of a profile's values, in catalogue order; ids the catalogue does not know are skipped.
    static ExportPlan make(const Profile &profile, const TweakRegistry &registry);

    /// The value a preference tweak stores on the Mac for a profile value: the value in the tweak's
    /// declared type, read by the same rules as the Mac's own value. Where a tweak keeps its value
    /// inside a larger one (a dictionary entry), this is the one place that says so.
    static Result<QVariant> storedValue(const Tweak &tweak, const TweakValue &value);

    /// `text` on one line: line breaks and other control characters become spaces, so a name can go
    /// into a comment without ending it.
    static QString oneLine(const QString &text);

    QString profileName;
    QDateTime createdAt;
    QList<Setting> settings;
    std::optional<Picture> picture;
    /// What the settings need restarted, in the order restarts are carried out.
    QList<RestartTarget> restarts;
    QList<Skip> skipped;

    void skip(const QString &tweakID, const QString &title, const QString &reason)
    {
        skipped.append({tweakID, title, reason});
    }
};

} // namespace velmora
