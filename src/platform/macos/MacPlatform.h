#pragma once

#include "MacDisplayService.h"
#include "MacOperatingSystem.h"
#include "MacPreferenceStore.h"
#include "MacSymbolImages.h"
#include "MacUpdateFramework.h"
#include "MacWorkspace.h"
#include "platform/Platform.h"

#include <memory>

namespace velmora {

/// This Mac, through CoreFoundation and AppKit, with the system's own `defaults` and `killall`.
class MacPlatform : public Platform {
public:
    QString description() const override;
    PreferenceStore &preferences() override { return m_preferences; }
    const PreferenceStore &preferences() const override { return m_preferences; }
    QString defaultsToolPath() const override;
    QString killallToolPath() const override;
    FileLocations fileLocations() const override;
    DisplayService &displays() override { return m_displays; }
    Workspace &workspace() override { return m_workspace; }
    const SymbolImages &symbols() const override { return m_symbols; }
    const OperatingSystem &operatingSystem() const override { return m_system; }
    /// Loaded on first use, so a program that never checks for updates (velmoractl) never loads it.
    UpdateFramework *updateFramework() override;

private:
    MacPreferenceStore m_preferences;
    MacDisplayService m_displays;
    MacWorkspace m_workspace;
    MacSymbolImages m_symbols;
    MacOperatingSystem m_system;
    std::unique_ptr<MacUpdateFramework> m_updates;
};

} // namespace velmora
