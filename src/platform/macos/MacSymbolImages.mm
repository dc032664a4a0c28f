#include "MacSymbolImages.h"

#include "MacImageRenderer.h"
#include "platform/SymbolCanvas.h"

#import <AppKit/AppKit.h>

namespace velmora {

namespace {

constexpr qsizetype kMaxCachedPixmaps = 512;

NSImage *systemSymbol(const QString &name)
{
    if (name.isEmpty())
        return nil;
    return [NSImage imageWithSystemSymbolName:name.toNSString() accessibilityDescription:nil];
}

} // namespace

QPixmap MacSymbolImages::symbol(const QString &name, const QColor &color, qreal pointSize,
                                qreal devicePixelRatio) const
{
    const qreal dpr = SymbolCanvas::ratio(devicePixelRatio);
    const int side = SymbolCanvas::pixelSide(pointSize, dpr);
    const QString key = QString::number(side) + QLatin1Char('|') + QString::number(dpr, 'g', 17) +
                        QLatin1Char('|') + QString::number(quint64(color.rgba64()), 16) + QLatin1Char('|') +
                        name;
    const auto cached = m_cache.constFind(key);
    if (cached != m_cache.cend())
        return cached.value();

    QImage image;
    @autoreleasepool {
        NSImage *symbol = systemSymbol(name);
        if (symbol) {
            const NSSize natural = symbol.size;
            const QRectF target = SymbolCanvas::fitted(QSizeF(natural.width, natural.height), side);
            // Drawn as the system draws a template, then given the colour asked for.
            image = SymbolCanvas::tinted(
                MacImageRenderer::render((__bridge const void *)symbol, QSize(side, side), target), color);
        }
    }
    if (image.isNull())
        image = SymbolCanvas::fallback(color, side);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dpr);
    if (m_cache.size() >= kMaxCachedPixmaps)
        m_cache.clear();
    m_cache.insert(key, pixmap);
    return pixmap;
}

bool MacSymbolImages::hasSymbol(const QString &name) const
{
    @autoreleasepool {
        return systemSymbol(name) != nil;
    }
}

} // namespace velmora
