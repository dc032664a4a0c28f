#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QVariant>

namespace velmora {

/// The binary property-list format ("bplist00"), read and written here rather than through libplist:
/// the library's binary reader recurses without a bound, stops at a NUL inside a string, carries
/// dates as 32-bit seconds and asserts on a NUL inside a dictionary key, and a preferences file is
/// outside input. Everything this reader accepts, the writer writes back to the same values.
namespace BinaryPropertyList {

/// Containers nested deeper than this are refused, reading and writing alike.
constexpr int maxDepth = 256;

/// Whether the bytes start like a binary property list.
bool looksBinary(const QByteArray &bytes);

struct ReadOptions {
    /// XML has no UID element: the system writes one as a dictionary holding only "CF$UID". Read
    /// such a dictionary back as a PlistUid (for trees that came from XML).
    bool uidDictionaries = false;
};

/// Reads a binary property list into the QVariant tree of PropertyList. Damaged input of any kind
/// (truncated, offsets out of range, cycles, nesting past `maxDepth`, a dictionary key holding
/// U+0000, more values than the file could honestly describe) is an error value.
Result<QVariant> parse(const QByteArray &bytes, ReadOptions options = {});

/// Writes a tree as a binary property list. Strings, keys and dates are written exactly; a value
/// of a type a property list cannot hold is an error naming its key.
Result<QByteArray> serialize(const QVariant &value);

} // namespace BinaryPropertyList

} // namespace velmora
