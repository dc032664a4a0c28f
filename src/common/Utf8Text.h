#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMetaType>

namespace velmora {

/// A text held as its UTF-8 bytes rather than as a QString. A value of tens of megabytes of ASCII
/// (a picture in Base64) costs half as much this way, and reaches a file or a pipe without being
/// converted; in a QVariant tree (a property list, a JSON document) it stands for a text, not for
/// data. The bytes are always valid UTF-8.
struct Utf8Text {
    QByteArray utf8;

    friend bool operator==(const Utf8Text &a, const Utf8Text &b) { return a.utf8 == b.utf8; }
};

/// Whether every byte is printable ASCII (space to tilde): text that XML and JSON carry as it is,
/// once the few characters they escape are ruled out too.
inline bool isPrintableAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

} // namespace velmora

Q_DECLARE_METATYPE(velmora::Utf8Text)
