#include "MacWorkspace.h"

#include "MacImageRenderer.h"
#include "platform/PlatformMessages.h"

#import <AppKit/AppKit.h>

namespace velmora {

QImage MacWorkspace::iconForFile(const QString &path, int side) const
{
    @autoreleasepool {
        const int pixels = iconSide(side);
        // The system answers every path, a missing file with the generic document icon.
        NSImage *icon = [[NSWorkspace sharedWorkspace] iconForFile:path.toNSString()];
        return MacImageRenderer::render((__bridge const void *)icon, QSize(pixels, pixels),
                                        QRectF(0, 0, pixels, pixels));
    }
}

Status MacWorkspace::openURL(const QUrl &url)
{
    if (!url.isValid())
        return Status::failure(PlatformMessages::invalidURL(url.toString()));
    @autoreleasepool {
        NSURL *native = url.toNSURL();
        if (!native || ![[NSWorkspace sharedWorkspace] openURL:native])
            return Status::failure(PlatformMessages::urlNotOpened(url.toString()));
        return Status::success();
    }
}

void MacWorkspace::playAlertSound()
{
    NSBeep();
}

void MacWorkspace::log(const QString &line)
{
    @autoreleasepool {
        // The line is an argument, never the format.
        NSLog(@"%@", line.toNSString());
    }
}

} // namespace velmora
