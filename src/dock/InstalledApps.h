#pragma once

#include "InstalledApp.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QStringList>
#include <QUrl>

namespace velmora {

struct FileLocations;

/// The applications installed on the machine: the ".app" entries directly inside each
/// application folder (subfolders are not entered), named from their Info.plist.
namespace InstalledApps {

/// Scans `folders` in order on the calling thread. A missing or unreadable folder counts as
/// empty; an entry whose standardized URL was already seen is skipped; a bundle without a readable
/// information dictionary is named after its file. Sorted by name, ignoring case, with the
/// locale's rules; equal names keep the order they were found in. Never fails.
QList<InstalledApp> scan(const QStringList &folders);

/// The same scan on a background thread.
QCoro::Task<QList<InstalledApp>> scanInBackground(QStringList folders);

/// The five application folders of `locations`, in scan order.
QStringList folders(const FileLocations &locations);

/// The URL with its "." and ".." path components resolved, as compared for duplicates.
QUrl standardized(const QUrl &url);

} // namespace InstalledApps

} // namespace velmora
