#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

/// Where things are on this machine.
struct FileLocations {
    /// The user's home folder, what "~" stands for.
    QString home;
    /// The user's Application Support folder.
    QString applicationSupport;
    /// The folders scanned for installed applications, in scan order: /Applications,
    /// /Applications/Utilities, /System/Applications, /System/Applications/Utilities, ~/Applications.
    QStringList applicationFolders;
    /// The system privacy database; readable only with Full Disk Access.
    QString privacyDatabase;

    /// Replaces a leading "~" (alone or followed by "/") by the home folder.
    QString expandTilde(const QString &path) const;
};

} // namespace velmora
