#include "MacFileLocations.h"

#include "platform/MacPaths.h"

#import <Foundation/Foundation.h>

namespace velmora {

FileLocations MacFileLocations::current()
{
    @autoreleasepool {
        NSString *home = NSHomeDirectory();
        NSArray<NSURL *> *support =
            [[NSFileManager defaultManager] URLsForDirectory:NSApplicationSupportDirectory
                                                   inDomains:NSUserDomainMask];
        NSString *supportPath = support.firstObject.path;
        return MacPaths::fileLocations(home ? QString::fromNSString(home) : QString(),
                                       supportPath ? QString::fromNSString(supportPath) : QString());
    }
}

} // namespace velmora
