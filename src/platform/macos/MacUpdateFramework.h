#pragma once

#include "platform/UpdateFramework.h"

#include <memory>

namespace velmora {

/// The update framework the application bundle carries in its Frameworks folder, loaded when this
/// is made; its standard updater controller does the checking and shows its own windows. When the
/// framework is not there or does not load, `unavailableReason` says why and nothing else runs.
class MacUpdateFramework : public UpdateFramework {
public:
    MacUpdateFramework();
    ~MacUpdateFramework() override;

    std::optional<QString> unavailableReason() const override;
    Status start() override;
    bool canCheckForUpdates() const override;
    void checkForUpdates() override;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace velmora
