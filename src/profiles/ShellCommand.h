#pragma once

#include <QList>
#include <QString>

namespace velmora {

/// One simple command of a shell script as read without running it: its words with the quotes taken
/// away, where it begins, and its text as written (for reports).
struct ShellCommand {
    struct Word {
        QString text;
        /// Whether the shell would change this word before the command sees it ($HOME, ~, $(…), `…`,
        /// a wildcard): its text is then not what the command would get.
        bool expands = false;
    };

    /// The line (from 1) the command's first word is on.
    int line = 0;
    QList<Word> words;
    /// The command as written, continuation lines joined with a space.
    QString text;
    /// Set when the command could not be read to its end (a quote left open).
    QString problem;
};

} // namespace velmora
