#include "MacDisplayService.h"

#include "MacPropertyListConverter.h"
#include "platform/DesktopImageOptions.h"
#include "platform/NativeDisplays.h"
#include "platform/PlatformMessages.h"

#import <AppKit/AppKit.h>

#include <QSizeF>

namespace velmora {

namespace {

// The top edge of the primary screen in the system's coordinates, from which every frame is flipped.
qreal primaryTop()
{
    NSArray<NSScreen *> *screens = [NSScreen screens];
    return screens.count > 0 ? NSMaxY(screens.firstObject.frame) : 0;
}

Display describe(NSScreen *screen, qreal top)
{
    Display display;
    NSDictionary<NSDeviceDescriptionKey, id> *description = screen.deviceDescription;
    id number = description[@"NSScreenNumber"];
    if ([number isKindOfClass:[NSNumber class]])
        display.deviceDescription.insert(NativeDisplays::numberKey(),
                                         QVariant::fromValue(quint32([number unsignedIntValue])));
    id size = description[NSDeviceSize];
    if ([size isKindOfClass:[NSValue class]]) {
        const NSSize points = [size sizeValue];
        display.deviceDescription.insert(QStringLiteral("NSDeviceSize"), QSizeF(points.width, points.height));
    }
    display.name = QString::fromNSString(screen.localizedName);
    const NSRect frame = screen.frame;
    display.frame = NativeDisplays::topLeftFrame(
        QRectF(frame.origin.x, frame.origin.y, frame.size.width, frame.size.height), top);
    return display;
}

NSScreen *findScreen(const Display &display)
{
    const qreal top = primaryTop();
    for (NSScreen *screen in [NSScreen screens]) {
        if (NativeDisplays::sameDisplay(describe(screen, top), display))
            return screen;
    }
    return nil;
}

// An option's value as the codec's form; invalid when the key is missing or not a number.
QVariant optionValue(id value)
{
    if (![value isKindOfClass:[NSNumber class]])
        return QVariant();
    return MacPropertyListConverter::toVariant((__bridge const void *)value);
}

} // namespace

QList<Display> MacDisplayService::displays() const
{
    @autoreleasepool {
        QList<Display> result;
        const qreal top = primaryTop();
        for (NSScreen *screen in [NSScreen screens])
            result.append(describe(screen, top));
        return result;
    }
}

std::optional<Display> MacDisplayService::mainDisplay() const
{
    @autoreleasepool {
        NSScreen *screen = [NSScreen mainScreen];
        if (!screen)
            return std::nullopt;
        return describe(screen, primaryTop());
    }
}

std::optional<QString> MacDisplayService::desktopImagePath(const Display &display) const
{
    @autoreleasepool {
        NSScreen *screen = findScreen(display);
        if (!screen)
            return std::nullopt;
        NSURL *url = [[NSWorkspace sharedWorkspace] desktopImageURLForScreen:screen];
        // Only a file is a picture of its own; anything else counts as none.
        if (!url || !url.isFileURL || !url.path)
            return std::nullopt;
        return QString::fromNSString(url.path);
    }
}

QVariantMap MacDisplayService::desktopImageOptions(const Display &display) const
{
    @autoreleasepool {
        NSScreen *screen = findScreen(display);
        if (!screen)
            return {};
        NSDictionary<NSWorkspaceDesktopImageOptionKey, id> *options =
            [[NSWorkspace sharedWorkspace] desktopImageOptionsForScreen:screen];
        if (!options)
            return {};
        return DesktopImageOptions::fromSystem(optionValue(options[NSWorkspaceDesktopImageScalingKey]),
                                               optionValue(options[NSWorkspaceDesktopImageAllowClippingKey]));
    }
}

Status MacDisplayService::setDesktopImage(const QString &path, const Display &display,
                                          const QVariantMap &options)
{
    const Result<DesktopImageOptions::Checked> checked = DesktopImageOptions::toSystem(options);
    if (!checked)
        return Status::failure(checked.error());
    if (path.isEmpty())
        return Status::failure(PlatformMessages::noPictureGiven());
    @autoreleasepool {
        NSScreen *screen = findScreen(display);
        if (!screen)
            return Status::failure(PlatformMessages::displayNotConnected(display.name));
        NSMutableDictionary<NSWorkspaceDesktopImageOptionKey, id> *native = [NSMutableDictionary dictionary];
        if (checked->hasScaling)
            native[NSWorkspaceDesktopImageScalingKey] =
                [NSNumber numberWithUnsignedInteger:NSUInteger(checked->scaling)];
        if (checked->hasAllowClipping)
            native[NSWorkspaceDesktopImageAllowClippingKey] =
                [NSNumber numberWithBool:checked->allowClipping ? YES : NO];
        NSError *error = nil;
        NSURL *url = [NSURL fileURLWithPath:path.toNSString()];
        if (![[NSWorkspace sharedWorkspace] setDesktopImageURL:url
                                                     forScreen:screen
                                                       options:native
                                                         error:&error]) {
            // The system's own description: a file that is not an image, a screen that went away.
            return Status::failure(error ? QString::fromNSString(error.localizedDescription)
                                         : PlatformMessages::displayNotConnected(display.name));
        }
        return Status::success();
    }
}

} // namespace velmora
