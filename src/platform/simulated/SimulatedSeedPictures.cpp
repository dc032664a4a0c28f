// The sample desktop pictures of the simulated Mac.

#include "SimulatedSeed.h"

namespace velmora {

Status SimulatedSeed::seedDesktopPictures() const
{
    return Status::success();
}

} // namespace velmora
