#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

#include <limits>

namespace velmora {

/// Reading a whole file that must be an ordinary file. A pipe, a device or a socket where a
/// preferences file or a profile belongs would block a plain read for ever (or never end), so
/// anything but a regular file is refused before a byte is read.
class RegularFile {
public:
    /// The file's bytes. A missing file, a folder, anything that is not a regular file, a file larger
    /// than `maxBytes` and a failing read are errors whose text names the path and the reason.
    static Result<QByteArray> read(const QString &path, qint64 maxBytes = std::numeric_limits<qint32>::max());
};

} // namespace velmora
