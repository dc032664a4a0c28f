#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

namespace velmora {

/// Draws a system image into a QImage: a bitmap context over the bits of a premultiplied ARGB
/// image Qt allocated, so no copy and no private Qt function is needed.
class MacImageRenderer {
public:
    /// `image` is an `NSImage *`; it is drawn into `target` (pixels, top-left origin) of a
    /// transparent image of `pixels`. A null image or a context the system refuses gives a null
    /// QImage. Safe on any thread.
    static QImage render(const void *image, QSize pixels, QRectF target);
};

} // namespace velmora
