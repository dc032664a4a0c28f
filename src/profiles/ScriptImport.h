#pragma once

#include "Profile.h"

#include <QList>
#include <QString>

namespace velmora {

class TweakRegistry;

/// A script of `defaults write` lines (a dotfiles' `.macos`) turned into a profile: each line whose
/// domain and key a tweak of the catalogue uses becomes that tweak's value, read by the tweak's declared
/// type; every other `defaults` line is listed with its line number and why it was left out. The
/// script is read, never run: no control flow is followed, and the last write of a tweak wins.
class ScriptImport {
public:
    struct Line {
        int number = 0;
        QString text;
        /// The tweak a mapped line sets; empty for a line left out.
        QString tweakID;
        /// Why a line was left out; empty for a mapped line.
        QString reason;
    };

    /// Reads a script's text; the profile is named after `scriptName`.
    static ScriptImport read(const QString &script, const QString &scriptName, const TweakRegistry &registry,
                             const QString &appVersion);
    /// Reads a script file (as UTF-8 text). A file that cannot be read is an error naming it.
    static Result<ScriptImport> readFile(const QString &path, const TweakRegistry &registry,
                                         const QString &appVersion);

    /// The values found, in a new profile ("Imported from NAME").
    const Profile &profile() const { return m_profile; }
    /// The `defaults` lines that set a tweak, in script order.
    const QList<Line> &mapped() const { return m_mapped; }
    /// The `defaults` lines left out, in script order, each with its reason.
    const QList<Line> &skipped() const { return m_skipped; }

    /// The lines left out as text: "line 12: defaults write … — why", one per line.
    QString skippedReport() const;

private:
    Profile m_profile;
    QList<Line> m_mapped;
    QList<Line> m_skipped;
};

} // namespace velmora
