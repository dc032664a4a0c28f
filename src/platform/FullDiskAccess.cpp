#include "FullDiskAccess.h"

#include "FileLocations.h"

#include <QFile>

namespace velmora {

bool FullDiskAccess::canRead(const QString &privacyDatabase)
{
    // The file is only opened to learn whether it can be read. An empty file yields no byte, which
    // counts as no access, like a failed read.
    QFile file(privacyDatabase);
    if (privacyDatabase.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    char byte = 0;
    const bool readable = file.read(&byte, 1) == 1;
    file.close();
    return readable;
}

bool FullDiskAccess::isGranted(const FileLocations &locations)
{
    return canRead(locations.privacyDatabase);
}

} // namespace velmora
