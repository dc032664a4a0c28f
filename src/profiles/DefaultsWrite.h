#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

/// One `defaults` command of a script, read but not run: where it is, and what it would write.
struct DefaultsWrite {
    /// The line (from 1) the command begins on, and the command as written.
    int line = 0;
    QString text;
    /// Why the command cannot be imported whatever the catalogue holds (another verb, -currentHost, a
    /// domain given as a file, a word the shell would expand, a form not understood); empty otherwise.
    QString problem;

    /// The domain as written; `globalDomain` when it names the global domain in any of its spellings.
    QString domain;
    bool globalDomain = false;
    QString key;
    /// The type flag or value form with its synonyms made one ("-int", "-bool", "-float", "-string",
    /// "-date", "-data", "-array", "-array-add", "-dict", "-dict-add"); empty for a value without one.
    QString form;
    /// The words after the form: one for a single value, any number for arrays and dictionaries.
    QStringList values;
};

} // namespace velmora
