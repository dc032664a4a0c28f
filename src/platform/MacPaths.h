#pragma once

#include "FileLocations.h"

#include <QString>

namespace velmora {

/// Where a Mac keeps what the native backend reaches: fixed paths of the system, and the file
/// locations made from the user's folders the system reports.
namespace MacPaths {

QString defaultsTool();
QString killallTool();
/// The system privacy database, readable only with Full Disk Access.
QString privacyDatabase();

/// The file locations for a user whose home and Application Support folders the system reported.
/// An empty Application Support folder (the system gave none) is the usual one inside the home
/// folder; trailing separators are dropped, so paths made from them never hold "//".
FileLocations fileLocations(const QString &home, const QString &applicationSupport);

/// The update framework as the application bundle carries it, in its Frameworks folder.
QString updateFramework(const QString &bundlePrivateFrameworksPath);
/// The class of the framework's standard updater, looked up by name once it is loaded.
QString updateControllerClass();

} // namespace MacPaths

} // namespace velmora
