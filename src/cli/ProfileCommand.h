#pragma once

#include "Command.h"
#include "engine/TweakEngine.h"
#include "profiles/ProfileApplyReport.h"
#include "profiles/ProfileDiffItem.h"

#include <QCoro/QCoroTask>

#include <memory>
#include <optional>

class QTextStream;

namespace velmora {

/// What the profile commands share: the profile file they name and how a review reads as text.
class ProfileCommand : public Command {
public:
    ProfileCommand(QString name, QString description, QString fileDescription);

protected:
    /// A profile command that names no profile file (its profile comes from elsewhere).
    ProfileCommand(QString name, QString description);

    /// A profile file read and compared with the current settings, with the engine that read them.
    struct Review {
        std::unique_ptr<TweakEngine> engine;
        Profile profile;
        QList<ProfileDiffItem> items;
    };
    /// Reads `file`, compares it with the current settings and prints the review; nothing when there
    /// is no engine or the file is not a profile (the reason is printed).
    static QCoro::Task<std::optional<Review>> printReview(CommandContext &context, QString file);
    /// Asks on standard input; only "y" or "yes" agrees.
    static bool confirm(QTextStream &out, const QString &question);
    /// Tells how an apply went: every value that failed on the error stream, else how many landed.
    /// Returns the exit status (1 when any failed).
    static int printApplied(CommandContext &context, const ProfileApplyReport &report);
    /// "1 value", "2 values".
    static QString plural(qsizetype n, const QString &word);
    /// The review as text: one line per change, then how many settings already match.
    static void printDiff(QTextStream &out, const Profile &profile, const QList<ProfileDiffItem> &items);
};

} // namespace velmora
