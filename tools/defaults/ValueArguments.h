#pragma once

#include "common/Result.h"

#include <QStringList>
#include <QVariant>

// How the defaults tool turns its command-line arguments into property-list values.
namespace velmora::defaults {

/// One of the flags that give the type of the argument after it: -string, -int, -integer, -float,
/// -bool, -boolean, -date, -data.
bool isTypeFlag(const QString &argument);

/// The value of `text` read as the type `flag` names. Malformed text is an error value with a
/// one-line message ready for the user.
Result<QVariant> typedValue(const QString &flag, const QString &text);

/// An argument without a type flag: old-style text ("()", "{ a = b; }", "<0a0b>") or an XML
/// fragment ("<dict>…</dict>", "<true/>") when it reads as one, else the text itself as a string.
QVariant untypedValue(const QString &text);

/// The value that starts at `arguments[index]`, a type flag and its text or one untyped argument;
/// moves `index` past it.
Result<QVariant> takeValue(const QStringList &arguments, qsizetype &index);

} // namespace velmora::defaults
