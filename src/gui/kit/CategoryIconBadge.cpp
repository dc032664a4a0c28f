#include "CategoryIconBadge.h"

#include "Style.h"
#include "platform/SymbolImages.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {

void paintBadge(QPainter &p, const SymbolImages &symbols, const TweakCategory &category, const QRectF &rect,
                int symbolSize, qreal cornerRadius, qreal dpr)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath shape;
    shape.addRoundedRect(rect, cornerRadius, cornerRadius);
    p.fillPath(shape, Style::tintGradient(category.tint, rect));
    const QPixmap glyph = symbols.symbol(category.symbol, Qt::white, symbolSize, dpr);
    const QSizeF glyphSize = QSizeF(glyph.size()) / glyph.devicePixelRatio();
    p.drawPixmap(
        QPointF(rect.center().x() - glyphSize.width() / 2, rect.center().y() - glyphSize.height() / 2),
        glyph);
}

} // namespace

CategoryIconBadge::CategoryIconBadge(const SymbolImages &symbols, TweakCategory category, int side,
                                     int symbolSize, qreal cornerRadius, QWidget *parent)
    : QWidget(parent), m_symbols(symbols), m_category(std::move(category)), m_side(side),
      m_symbolSize(symbolSize), m_cornerRadius(cornerRadius)
{
    setFixedSize(side, side);
}

void CategoryIconBadge::setCategory(const TweakCategory &category)
{
    m_category = category;
    update();
}

QPixmap CategoryIconBadge::render(const SymbolImages &symbols, const TweakCategory &category, int side,
                                  int symbolSize, qreal cornerRadius, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(side, side) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintBadge(p, symbols, category, QRectF(0, 0, side, side), symbolSize, cornerRadius, devicePixelRatio);
    return pixmap;
}

void CategoryIconBadge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBadge(p, m_symbols, m_category, QRectF(rect()), m_symbolSize, m_cornerRadius, devicePixelRatioF());
}

} // namespace velmora
