#pragma once

// Property lists built to break naive readers: nesting deep enough to overflow a recursive parser's
// stack, and a tiny binary file whose dictionary key holds U+0000. Written byte by byte, since the
// project's own writer refuses to make them.

#include <QByteArray>

namespace velmora::test {

/// An XML property list of `levels` nested arrays (about 15 bytes a level).
QByteArray deeplyNestedXml(int levels);

/// A binary property list that is a chain of `levels` one-element arrays (9 bytes a level).
QByteArray deeplyNestedBinary(int levels);

/// A 50-byte binary property list: a dictionary whose only key is "a" followed by U+0000.
QByteArray binaryWithNulInKey();

/// A binary property list whose `levels` arrays each hold the next one `width` times: a few hundred
/// bytes that describe width^levels values.
QByteArray binaryOfSharedContainers(int levels, int width);

} // namespace velmora::test
