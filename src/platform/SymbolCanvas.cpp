#include "SymbolCanvas.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace velmora {

qreal SymbolCanvas::ratio(qreal devicePixelRatio)
{
    return std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0;
}

int SymbolCanvas::pixelSide(qreal pointSize, qreal devicePixelRatio)
{
    const qreal pixels = pointSize * ratio(devicePixelRatio);
    if (!(pixels >= 1)) // also NaN
        return 1;
    return pixels >= maxSide ? maxSide : qRound(pixels);
}

void SymbolCanvas::paintFallback(QPainter &painter, const QColor &color, int side)
{
    // 2 units of padding in 24, as the symbols have.
    const qreal penWidth = qMax(1.0, side / 12.0);
    const qreal inset = side / 12.0 + penWidth / 2;
    const QRectF box = QRectF(0, 0, side, side).adjusted(inset, inset, -inset, -inset);
    const qreal radius = box.width() / 5;
    painter.setPen(QPen(color, penWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box, radius, radius);
}

QImage SymbolCanvas::fallback(const QColor &color, int side)
{
    side = qBound(1, side, maxSide);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFallback(painter, color, side);
    painter.end();
    return image;
}

QRectF SymbolCanvas::fitted(const QSizeF &naturalSize, int side)
{
    const QRectF square(0, 0, side, side);
    if (!(naturalSize.width() > 0) || !(naturalSize.height() > 0))
        return square;
    const QSizeF size = naturalSize.scaled(square.size(), Qt::KeepAspectRatio);
    return QRectF(QPointF((side - size.width()) / 2, (side - size.height()) / 2), size);
}

QImage SymbolCanvas::tinted(const QImage &symbol, const QColor &color)
{
    if (symbol.isNull())
        return symbol;
    QImage image = symbol.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    // Keeps each pixel's coverage and replaces its colour.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    painter.end();
    return image;
}

} // namespace velmora
