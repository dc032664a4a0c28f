#pragma once

#include "Command.h"
#include "profiles/ProfileDiffItem.h"

class QTextStream;

namespace velmora {

/// What the profile commands share: the profile file they name and how a review reads as text.
class ProfileCommand : public Command {
public:
    ProfileCommand(QString name, QString description, QString fileDescription);

protected:
    /// "1 value", "2 values".
    static QString plural(qsizetype n, const QString &word);
    /// The review as text: one line per change, then how many settings already match.
    static void printDiff(QTextStream &out, const Profile &profile, const QList<ProfileDiffItem> &items);
};

} // namespace velmora
