#pragma once

#include <QString>

namespace velmora {

struct FileLocations;

/// Whether this application has Full Disk Access: the system privacy database, readable only with
/// it, yields a byte.
class FullDiskAccess {
public:
    /// Opens `privacyDatabase`, reads at most one byte, closes it. Never fails: a missing, unreadable
    /// or empty file is "no".
    static bool canRead(const QString &privacyDatabase);
    static bool isGranted(const FileLocations &locations);
};

} // namespace velmora
