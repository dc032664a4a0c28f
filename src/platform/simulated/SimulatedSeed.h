#pragma once

#include "common/Result.h"
#include "plist/PropertyList.h"

namespace velmora {

class SimulatedRoot;

/// Lays out a fresh simulated Mac and fills it with content shaped like a real one: a few installed
/// applications, a Dock, Finder and global preferences, and the version of a current macOS. Like a new Mac,
/// it has not granted Full Disk Access: the privacy database is not readable until a user (or a test) creates
/// it. Never overwrites a file that is already there.
class SimulatedSeed {
public:
    explicit SimulatedSeed(const SimulatedRoot &root) : m_root(root) {}
    Status plant() const;

private:
    Status layOutFolders() const;
    Status seedSystemVersion() const;
    Status seedApplications() const;
    Status seedDock() const;
    Status seedPreferences() const;
    Status seedDesktopPictures() const;

    static Status writeIfMissing(const QString &path, const QByteArray &bytes);
    static Status writePlistIfMissing(const QString &path, const QVariant &value,
                                      PropertyList::Format format);

    const SimulatedRoot &m_root;
};

} // namespace velmora
