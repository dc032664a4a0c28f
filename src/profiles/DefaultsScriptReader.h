#pragma once

#include "DefaultsWrite.h"

#include <QList>
#include <QString>

namespace velmora {

/// Finds the `defaults` commands of a shell script (dotfiles' `defaults write` lines), read as text and
/// never run. A command may stand after `sudo`, `then`, `do`, `&&` or `;`, span continuation lines
/// and quote its words; `defaults read` and the other verbs that change nothing are left out, and
/// `delete`, `rename` and `import` are listed with the reason they are not imported.
class DefaultsScriptReader {
public:
    static QList<DefaultsWrite> read(const QString &script);

    /// Whether a domain word names the global domain: -g, -globalDomain, NSGlobalDomain or
    /// "Apple Global Domain" (the names in any case).
    static bool isGlobalDomain(const QString &domain);
    /// The value form a word names, with the tool's synonyms made one (-integer is -int, -boolean is
    /// -bool); empty for a word that is a value.
    static QString valueForm(const QString &word);
};

} // namespace velmora
