#pragma once

#include <QString>

namespace velmora {

/// `text` as a one-line message can show it: control characters written as escapes ("\n", "\t",
/// "\u001b") and everything past the first `keep` characters replaced by how much more there was
/// ("… (140000 more bytes)"), so a huge argument or value never floods the message that quotes it.
QString abbreviatedForMessage(const QString &text, qsizetype keep = 100);

/// `text` ending in a full stop, unless it already ends a sentence: Qt's own messages often do, and
/// a message that quotes one must not end in "..".
QString endedAsSentence(const QString &text);

} // namespace velmora
