#pragma once

#include "FileLocations.h"

#include <QString>

namespace velmora {

class DisplayService;
class OperatingSystem;
class PreferenceStore;
class SymbolImages;
class UpdateFramework;
class Workspace;

/// Everything the operating system provides, reached through one object made at start and handed
/// down. One implementation per backend: the simulated Mac here, the native one on macOS.
class Platform {
public:
    /// The application's own preference domain (its defaults, such as "hasDismissedFDABanner").
    static QString applicationIdentifier() { return QStringLiteral("dev.corrandelwick.Velmora"); }

    virtual ~Platform() = default;

    /// A short name for messages: "simulated Mac at …", "macOS".
    virtual QString description() const = 0;

    virtual PreferenceStore &preferences() = 0;
    virtual const PreferenceStore &preferences() const = 0;

    /// The `defaults` tool ("/usr/bin/defaults" on a Mac).
    virtual QString defaultsToolPath() const = 0;
    /// The `killall` tool ("/usr/bin/killall" on a Mac).
    virtual QString killallToolPath() const = 0;

    virtual FileLocations fileLocations() const = 0;

    virtual DisplayService &displays() = 0;
    virtual Workspace &workspace() = 0;
    virtual const SymbolImages &symbols() const = 0;
    virtual const OperatingSystem &operatingSystem() const = 0;
    /// The system's update framework; none where the system has none, and the application then
    /// reads its appcast itself.
    virtual UpdateFramework *updateFramework() { return nullptr; }
};

} // namespace velmora
