#pragma once

#include <QString>

namespace velmora {

/// The texts of the platform's failures, shared by the simulated and the native backend so a user
/// reads the same words whichever one runs.
namespace PlatformMessages {

QString notAPropertyListValue(const QString &typeName);
QString invalidDate();
QString nestedTooDeeply(int depth);
QString valueNotStored(const QString &key, const QString &applicationID, const QString &reason);
QString domainNotSynchronized(const QString &applicationID);

QString displayNotConnected(const QString &displayName);
QString noPictureGiven();
QString unknownDesktopImageOption(const QString &key);
QString badDesktopImageOption(const QString &key, const QString &value);

QString invalidURL(const QString &url);
QString urlNotOpened(const QString &url);

QString updateFrameworkMissing(const QString &path);
QString updateFrameworkNotLoaded(const QString &path, const QString &reason);
QString updateControllerMissing(const QString &className, const QString &path);
QString updaterNotStarted(const QString &reason);

} // namespace PlatformMessages

} // namespace velmora
