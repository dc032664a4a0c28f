#pragma once

#include "platform/FileLocations.h"

namespace velmora {

/// Where things are on this Mac: the user's folders as the system reports them, the rest at the
/// system's fixed paths (`MacPaths`).
class MacFileLocations {
public:
    static FileLocations current();
};

} // namespace velmora
