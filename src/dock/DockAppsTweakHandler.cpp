#include "DockAppsTweakHandler.h"

namespace velmora {

std::shared_ptr<const TweakHandler> makeDockAppsTweakHandler()
{
    return nullptr;
}

} // namespace velmora
