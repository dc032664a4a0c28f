#pragma once

#include "ShellCommand.h"

#include <QList>
#include <QString>

namespace velmora {

/// Splits a shell script into its simple commands and their words the way `sh` would, without running
/// anything: quotes, backslashes, line continuations, comments, the separators `;`, `&&`, `||`, `|`
/// and `&`, redirections and here-documents (their bodies are skipped). Expansions are not carried
/// out; the words that would need one are marked. No control flow is followed: every command of the
/// script is listed, in order.
class ShellCommandReader {
public:
    static QList<ShellCommand> read(const QString &script);
};

} // namespace velmora
