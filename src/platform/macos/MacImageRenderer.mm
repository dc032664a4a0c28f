#include "MacImageRenderer.h"

#import <AppKit/AppKit.h>
#import <CoreGraphics/CoreGraphics.h>

namespace velmora {

QImage MacImageRenderer::render(const void *image, QSize pixels, QRectF target)
{
    @autoreleasepool {
        NSImage *source = (__bridge NSImage *)image;
        if (!source || pixels.isEmpty())
            return QImage();
        QImage result(pixels, QImage::Format_ARGB32_Premultiplied);
        if (result.isNull())
            return QImage();
        result.fill(Qt::transparent);

        // Qt's premultiplied ARGB32 is one native-endian 32-bit word per pixel, alpha first: the
        // same layout the bitmap context is told to write.
        CGColorSpaceRef space = CGColorSpaceCreateWithName(kCGColorSpaceSRGB);
        const uint32_t layout =
            uint32_t(kCGImageAlphaPremultipliedFirst) | uint32_t(kCGBitmapByteOrder32Host);
        CGContextRef context =
            CGBitmapContextCreate(result.bits(), size_t(pixels.width()), size_t(pixels.height()), 8,
                                  size_t(result.bytesPerLine()), space, layout);
        CGColorSpaceRelease(space);
        if (!context)
            return QImage();

        // The context's origin is its bottom left while the first row of the bits is the image's top
        // row, so the target rectangle is flipped, not the image.
        const NSRect rect = NSMakeRect(target.x(), pixels.height() - target.y() - target.height(),
                                       target.width(), target.height());
        NSGraphicsContext *graphics = [NSGraphicsContext graphicsContextWithCGContext:context flipped:NO];
        [NSGraphicsContext saveGraphicsState];
        [NSGraphicsContext setCurrentContext:graphics];
        [source drawInRect:rect fromRect:NSZeroRect operation:NSCompositingOperationSourceOver fraction:1.0];
        [NSGraphicsContext restoreGraphicsState];
        CGContextRelease(context);
        return result;
    }
}

} // namespace velmora
