#include "MacOperatingSystem.h"

#import <Foundation/Foundation.h>

namespace velmora {

Result<QString> MacOperatingSystem::productVersion() const
{
    // The same numbers "About This Mac" shows, without reading SystemVersion.plist, which the system
    // may present differently to programs built against an older SDK.
    @autoreleasepool {
        const NSOperatingSystemVersion version = [NSProcessInfo processInfo].operatingSystemVersion;
        return OperatingSystem::versionText(version.majorVersion, version.minorVersion, version.patchVersion);
    }
}

} // namespace velmora
