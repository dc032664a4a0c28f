#pragma once

#include "common/Result.h"

#include <QString>
#include <QVariant>

namespace velmora {

/// The old-style (NeXTSTEP) property-list text: what `defaults read` prints, and what `defaults
/// write` accepts as an untyped value ("()", "{ a = b; }", "<0a0b>").
///
/// Values are the QVariant trees of PropertyList.
namespace OpenStepText {

/// The text `defaults read DOMAIN` prints for a value: dictionaries with sorted keys, arrays, and
/// scalars quoted unless they are plain letters and digits. Nested containers keep the system's
/// layout, in which a container repeats its own indentation after "key = " or an array's indent.
/// No trailing newline.
QString format(const QVariant &value);

/// The system's standard description of a value: a string is itself, unquoted; a number its
/// digits; a date "2024-01-02 03:04:05 +0000"; containers and data as `format`. This is what
/// `defaults read DOMAIN KEY` prints.
QString describe(const QVariant &value);

/// Reads old-style text. The format has no numbers or booleans: every scalar becomes a string
/// (and `<…>` data). The whole text must be one value, with whitespace and comments around it.
/// Malformed text is an error value naming the line.
Result<QVariant> parse(const QString &text);

} // namespace OpenStepText

} // namespace velmora
