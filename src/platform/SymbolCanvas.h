#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace velmora {

/// What every backend's symbol images share: the pixel size for a size in points, the neutral
/// fallback for a name the platform does not know, and the colouring of a one-colour symbol.
class SymbolCanvas {
public:
    /// The largest side drawn, whatever size is asked for.
    static constexpr int maxSide = 2048;

    /// The screen's pixel ratio, or 1 when it is not a positive finite number.
    static qreal ratio(qreal devicePixelRatio);
    /// Pixels per side for `pointSize` points at `devicePixelRatio`: at least 1 (also for a NaN or a
    /// negative size), at most `maxSide`.
    static int pixelSide(qreal pointSize, qreal devicePixelRatio);

    /// A rounded outline square with the proportions of the icon grid.
    static void paintFallback(QPainter &painter, const QColor &color, int side);
    static QImage fallback(const QColor &color, int side);

    /// Where an image of `naturalSize` goes in a square of `side` pixels: as large as fits, its
    /// proportions kept, centred. An empty size fills the square.
    static QRectF fitted(const QSizeF &naturalSize, int side);

    /// The symbol's shape (its alpha) filled with `color`; the symbol's own colours are dropped, as
    /// they are for a template image.
    static QImage tinted(const QImage &symbol, const QColor &color);
};

} // namespace velmora
