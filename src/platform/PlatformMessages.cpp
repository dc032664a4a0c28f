#include "PlatformMessages.h"

namespace velmora::PlatformMessages {

QString notAPropertyListValue(const QString &typeName)
{
    return QStringLiteral("A value of type %1 cannot be kept in the preferences.").arg(typeName);
}

QString invalidDate()
{
    return QStringLiteral("An invalid date cannot be kept in the preferences.");
}

QString nestedTooDeeply(int depth)
{
    return QStringLiteral("The value is nested more than %1 levels deep.").arg(depth);
}

QString valueNotStored(const QString &key, const QString &applicationID, const QString &reason)
{
    return QStringLiteral("Could not set “%1” of %2: %3").arg(key, applicationID, reason);
}

QString domainNotSynchronized(const QString &applicationID)
{
    return QStringLiteral("The preferences of %1 could not be saved.").arg(applicationID);
}

QString displayNotConnected(const QString &displayName)
{
    return QStringLiteral("The display “%1” is not connected.")
        .arg(displayName.isEmpty() ? QStringLiteral("(unnamed)") : displayName);
}

QString noPictureGiven()
{
    return QStringLiteral("No picture was given for the desktop.");
}

QString unknownDesktopImageOption(const QString &key)
{
    return QStringLiteral("“%1” is not a desktop picture option.").arg(key);
}

QString badDesktopImageOption(const QString &key, const QString &value)
{
    return QStringLiteral("The desktop picture option “%1” cannot be %2.").arg(key, value);
}

QString invalidURL(const QString &url)
{
    return QStringLiteral("The URL \"%1\" is not valid.").arg(url);
}

QString urlNotOpened(const QString &url)
{
    return QStringLiteral("No application could open \"%1\".").arg(url);
}

QString updateFrameworkMissing(const QString &path)
{
    return QStringLiteral("Check for Updates is off: the update framework is not at %1.").arg(path);
}

QString updateFrameworkNotLoaded(const QString &path, const QString &reason)
{
    return QStringLiteral("Check for Updates is off: the update framework at %1 could not be loaded (%2).")
        .arg(path, reason);
}

QString updateControllerMissing(const QString &className, const QString &path)
{
    return QStringLiteral("Check for Updates is off: the update framework at %1 has no %2.")
        .arg(path, className);
}

QString updaterNotStarted(const QString &reason)
{
    return QStringLiteral("Check for Updates is off: the updater did not start (%1).").arg(reason);
}

} // namespace velmora::PlatformMessages
