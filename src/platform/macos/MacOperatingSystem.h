#pragma once

#include "platform/OperatingSystem.h"

namespace velmora {

/// The running macOS, as the process information reports it.
class MacOperatingSystem : public OperatingSystem {
public:
    Result<QString> productVersion() const override;
};

} // namespace velmora
