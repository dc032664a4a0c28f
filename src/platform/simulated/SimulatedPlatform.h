#pragma once

#include "FontSymbolImages.h"
#include "SimulatedDisplayService.h"
#include "SimulatedOperatingSystem.h"
#include "SimulatedPreferenceStore.h"
#include "SimulatedRoot.h"
#include "SimulatedWorkspace.h"
#include "platform/Platform.h"

#include <memory>

namespace velmora {

/// A Mac simulated in one folder, with stand-in `defaults` and `killall` programs.
class SimulatedPlatform : public Platform {
public:
    /// Uses the stand-in tools of `toolsFolder` (by default the build's libexec folder). Puts the
    /// root into this process's environment so the tools it runs find it.
    explicit SimulatedPlatform(const QString &rootPath, const QString &toolsFolder = QString());

    /// Where the stand-in tools live: $VELMORA_LIBEXEC_DIR, else "../libexec/velmora" beside the
    /// running program.
    static QString defaultToolsFolder();

    const SimulatedRoot &root() const { return m_root; }

    QString description() const override;
    PreferenceStore &preferences() override { return m_preferences; }
    const PreferenceStore &preferences() const override { return m_preferences; }
    QString defaultsToolPath() const override { return m_defaultsTool; }
    QString killallToolPath() const override { return m_killallTool; }
    FileLocations fileLocations() const override;
    DisplayService &displays() override { return m_displays; }
    Workspace &workspace() override { return m_workspace; }
    const SymbolImages &symbols() const override { return m_symbols; }
    const OperatingSystem &operatingSystem() const override { return m_operatingSystem; }

    /// Tests put failing stand-ins in place of the real ones.
    void setDefaultsToolPath(const QString &path) { m_defaultsTool = path; }
    void setKillallToolPath(const QString &path) { m_killallTool = path; }

private:
    SimulatedRoot m_root;
    SimulatedPreferenceStore m_preferences;
    SimulatedDisplayService m_displays;
    SimulatedWorkspace m_workspace;
    FontSymbolImages m_symbols;
    SimulatedOperatingSystem m_operatingSystem;
    QString m_defaultsTool;
    QString m_killallTool;
};

} // namespace velmora
