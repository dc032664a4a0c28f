#pragma once

#include "common/Result.h"

namespace velmora {

class SimulatedRoot;

/// Lays out a fresh simulated Mac and fills it with content shaped like a real one: a few installed
/// applications, a Dock, Finder and global preferences, the privacy database. Never overwrites a
/// file that is already there.
class SimulatedSeed {
public:
    explicit SimulatedSeed(const SimulatedRoot &root) : m_root(root) {}
    Status plant() const;

private:
    Status layOutFolders() const;
    Status seedApplications() const;
    Status seedPreferences() const;
    Status seedPrivacyDatabase() const;

    const SimulatedRoot &m_root;
};

} // namespace velmora
