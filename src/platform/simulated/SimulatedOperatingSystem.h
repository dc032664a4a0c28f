#pragma once

#include "SimulatedRoot.h"
#include "platform/OperatingSystem.h"

namespace velmora {

/// The simulated Mac's system: its version is the one in
/// `<root>/System/Library/CoreServices/SystemVersion.plist`, where a real Mac keeps it.
class SimulatedOperatingSystem : public OperatingSystem {
public:
    explicit SimulatedOperatingSystem(SimulatedRoot root) : m_root(std::move(root)) {}

    Result<QString> productVersion() const override;

private:
    SimulatedRoot m_root;
};

} // namespace velmora
