#pragma once

#include "PlistDate.h"
#include "common/Result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace velmora {

/// A keyed-archiver reference (a property-list UID). Kept only so files that hold one survive a
/// read and a write unchanged.
struct PlistUid {
    quint64 value = 0;
    friend bool operator==(const PlistUid &, const PlistUid &) = default;
};

/// Property lists in memory and on disk: binary ones through a reader and writer of our own, XML
/// through libplist.
///
/// In memory a property list is a QVariant tree: bool, qint64 (integers), quint64 (only for
/// integers above the signed 64-bit range), double, QString, QDateTime (UTC; a PlistDate where the
/// file's date does not fall on a whole millisecond), QByteArray (data), QVariantList (array),
/// QVariantMap (dictionary) and PlistUid. What a file holds is written back exactly.
namespace PropertyList {

enum class Format { xml, binary };

/// Reads XML or binary. Corrupt, truncated or empty input is an error value, never a crash; so is
/// nesting deeper than a preferences file ever needs and a dictionary key holding U+0000.
Result<QVariant> parse(const QByteArray &bytes);

/// Reads as `parse` does, for files that may hold texts of many megabytes (a profile carrying a
/// picture): in XML, a text of at least `longText` bytes that needs no escaping is handed over as a
/// Utf8Text rather than a QString, and the longest of them takes over the buffer of `bytes` instead
/// of being copied. Pass the only reference to the bytes (move them in), or they are copied once.
Result<QVariant> parseKeepingLongTexts(QByteArray bytes);

/// Texts shorter than this take the ordinary way through `parseKeepingLongTexts`.
constexpr qsizetype longText = 64 * 1024;

/// The XML form of a tree as pieces that join into it, byte for byte what `serialize` writes: each
/// Utf8Text that needs no escaping is a piece of its own sharing the text's bytes, so a text of
/// tens of megabytes is neither copied into the document nor passed through libplist.
Result<QList<QByteArray>> serializeXmlPieces(const QVariant &value);

/// Writes a tree in the given format. A value of a type a property list cannot hold is an error, and
/// so, for XML, is text XML cannot carry (U+0000 and most other control characters).
Result<QByteArray> serialize(const QVariant &value, Format format);

/// The first character of `text` an XML property list cannot carry (U+0000, most other control
/// characters, U+FFFE, U+FFFF, half a surrogate pair); other XML readers refuse a file holding one.
std::optional<char16_t> characterXmlCannotCarry(const QString &text);

/// Reads a whole file. A missing file, a folder, anything but a regular file (a pipe would block) or
/// a corrupt file are errors with the path in their description.
Result<QVariant> readFile(const QString &path);

/// The text values under `keys` at the top of the dictionary a property list holds, for a caller
/// that needs a few names from many files (the application scan reads an Info.plist per bundle).
/// XML is not turned into a whole tree: only the keys asked for are converted. The file is refused
/// as `parse` refuses it when it is not a property list, is damaged, is nested too deeply or has a
/// dictionary key holding U+0000, and also when its top is not a dictionary. A key whose value is not
/// text is left out of the result.
Result<QHash<QString, QString>> parseTexts(const QByteArray &bytes, const QStringList &keys);

/// `parseTexts` of a whole file, refused as `readFile` refuses it.
Result<QHash<QString, QString>> readTexts(const QString &path, const QStringList &keys);

/// Writes a whole file atomically: a temporary file beside it, then a rename. On failure the old
/// file (if any) is left as it was.
Status writeFile(const QString &path, const QVariant &value, Format format);

} // namespace PropertyList

} // namespace velmora

Q_DECLARE_METATYPE(velmora::PlistUid)
