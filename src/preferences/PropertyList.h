#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QMetaType>
#include <QVariant>

namespace velmora {

/// A keyed-archiver reference (a property-list UID). Kept only so files that hold one survive a
/// read and a write unchanged.
struct PlistUid {
    quint64 value = 0;
    friend bool operator==(const PlistUid &, const PlistUid &) = default;
};

/// Property lists in memory and on disk, on libplist.
///
/// In memory a property list is a QVariant tree: bool, qint64 (integers), quint64 (only for
/// integers above the signed 64-bit range), double, QString, QDateTime (UTC), QByteArray (data),
/// QVariantList (array), QVariantMap (dictionary) and PlistUid.
namespace PropertyList {

enum class Format { xml, binary };

/// Reads XML or binary. Corrupt, truncated or empty input is an error value, never a crash.
Result<QVariant> parse(const QByteArray &bytes);

/// Writes a tree in the given format. A value of a type a property list cannot hold is an error.
Result<QByteArray> serialize(const QVariant &value, Format format);

/// Reads a whole file. A missing file, a directory or a corrupt file are errors with the path in
/// their description.
Result<QVariant> readFile(const QString &path);

/// Writes a whole file atomically: a temporary file beside it, then a rename. On failure the old
/// file (if any) is left as it was.
Status writeFile(const QString &path, const QVariant &value, Format format);

} // namespace PropertyList

} // namespace velmora

Q_DECLARE_METATYPE(velmora::PlistUid)
