#pragma once

#include <QList>
#include <QString>

namespace velmora {

/// What applying a profile came to: how many of its values were tried, and every one that failed,
/// with its reason. Both the command line and the window tell the user from this.
struct ProfileApplyReport {
    struct Failure {
        QString tweakID;
        QString title;
        QString reason;
    };

    /// Values whose tweak the catalogue knows; the others are passed over and not counted.
    qsizetype attempted = 0;
    QList<Failure> failures;

    bool ok() const { return failures.isEmpty(); }
};

} // namespace velmora
