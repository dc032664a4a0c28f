#pragma once

#include "ProfileApplyReport.h"
#include "RestorePoint.h"

#include <QCoro/QCoroTask>

#include <optional>

namespace velmora {

struct FileLocations;
class TweakEngine;

/// Makes an apply safe to take back. Before a profile is applied (from the window or the command
/// line), the values it is about to change are kept as a restore point, a profile file in the
/// application's data folder; the newest ten are kept. Undo puts the newest back the same way a profile
/// is applied, and then lets it go, so undoing again goes one apply further back.
class RestorePoints {
public:
    static constexpr int kKept = 10;

    /// "<Application Support>/dev.corrandelwick.Velmora/Restore Points".
    static QString folder(const FileLocations &locations);

    /// Keeps a restore point of the values `profile` would change, then applies the profile as
    /// `applyProfile` does. When the restore point cannot be kept nothing is applied and the error says
    /// why.
    static QCoro::Task<Result<ProfileApplyReport>>
    applyKeepingRestorePoint(TweakEngine *engine, Profile profile, QString appVersion);

    /// Reads what each tweak of `profile` holds now and keeps those the profile would change, and those
    /// with no value, as a new restore point file; older ones beyond the newest ten are removed.
    static QCoro::Task<Result<RestorePoint>> take(TweakEngine *engine, Profile profile, QString appVersion);

    /// The restore point files in `folder`, newest first.
    static QStringList paths(const QString &folder);
    /// The newest restore point, if any; an error when the newest file cannot be read.
    static std::optional<Result<RestorePoint>> latest(const QString &folder);
    static Result<RestorePoint> read(const QString &path);

    /// Puts a restore point back: resets the tweaks that had no value, applies its values, restarts once.
    /// When every value landed the restore point is used up and its file removed.
    static QCoro::Task<ProfileApplyReport> undo(TweakEngine *engine, RestorePoint point);
};

} // namespace velmora
