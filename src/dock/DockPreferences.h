#pragma once

#include "DockAppEntry.h"
#include "DockOtherEntry.h"
#include "DockWriteError.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QVariant>

namespace velmora {

class Platform;

/// The Dock's preference: the two arrays of tiles in "com.apple.dock", "persistent-apps" and
/// "persistent-others", read into entries and written back from them. Holds no state.
///
/// Writing keeps what the entries do not model. A tile written for an entry that came from a tile
/// (or, for an entry without one, the first unclaimed tile of the Dock's present array with the
/// same URL and kind) keeps that tile's keys. A tile of "persistent-apps" that yields no entry (a
/// spacer among the applications) is written back unchanged after the nearest application before
/// it that is still there, at the start when none is.
class DockPreferences {
public:
    static QString domain() { return QStringLiteral("com.apple.dock"); }
    static QString appsKey() { return QStringLiteral("persistent-apps"); }
    static QString othersKey() { return QStringLiteral("persistent-others"); }

    /// The application part in Dock order. Never fails: no value, or one that is not an array of
    /// dictionaries, is an empty list; a tile without an entry is left out.
    static QList<DockAppEntry> readApps(const Platform &platform);
    /// The others part in Dock order, each entry with a new identity. Never fails.
    static QList<DockOtherEntry> readOthers(const Platform &platform);

    /// Replaces "persistent-apps" (off the UI thread), then restarts the Dock.
    static QCoro::Task<DockWriteStatus> writeApps(Platform &platform, QList<DockAppEntry> apps);
    /// Replaces "persistent-others" (off the UI thread), then restarts the Dock.
    static QCoro::Task<DockWriteStatus> writeOthers(Platform &platform, QList<DockOtherEntry> others);

    /// Runs `killall Dock`. Succeeds whatever the exit status (1 when no Dock was running); fails
    /// only when the program cannot be started.
    static QCoro::Task<DockWriteStatus> killallDock(Platform &platform);

    /// The arrays a write hands to the preferences service, given what the Dock holds now.
    static QVariantList appTiles(const QList<DockAppEntry> &apps, const QVariant &present);
    static QVariantList otherTiles(const QList<DockOtherEntry> &others, const QVariant &present);
};

} // namespace velmora
