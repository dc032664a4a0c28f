#include "PreviewWell.h"

#include "gui/kit/Style.h"
#include "platform/SymbolImages.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {

PreviewWell::PreviewWell(const SymbolImages &symbols, QWidget *parent) : QWidget(parent), m_symbols(symbols)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(260);
    setAccessibleName(tr("Preview"));
}

void PreviewWell::setImage(const std::optional<QImage> &image)
{
    const bool same =
        image.has_value() == m_image.has_value() && (!image || image->cacheKey() == m_image->cacheKey());
    if (same)
        return;
    m_image = image;
    update();
}

void PreviewWell::setLoading(bool loading)
{
    if (loading == m_loading)
        return;
    m_loading = loading;
    update();
}

void PreviewWell::setProblem(const std::optional<QString> &problem)
{
    if (problem == m_problem)
        return;
    m_problem = problem;
    update();
}

void PreviewWell::setScaling(Scaling scaling)
{
    if (scaling == m_scaling)
        return;
    m_scaling = scaling;
    update();
}

QRectF PreviewWell::imageRect(const QSizeF &natural, const QSizeF &well, Scaling scaling)
{
    const QRectF frame(QPointF(0, 0), well);
    if (natural.isEmpty() || well.isEmpty())
        return frame;
    QSizeF size;
    switch (scaling) {
    case Scaling::fill: size = natural.scaled(well, Qt::KeepAspectRatioByExpanding); break;
    case Scaling::fit: size = natural.scaled(well, Qt::KeepAspectRatio); break;
    case Scaling::stretch: size = well; break;
    case Scaling::center: size = natural; break;
    }
    return QRectF(QPointF((well.width() - size.width()) / 2.0, (well.height() - size.height()) / 2.0), size);
}

void PreviewWell::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF frame(rect());
    QPainterPath shape;
    shape.addRoundedRect(frame, 12, 12);
    QColor fill = palette().color(QPalette::WindowText);
    fill.setAlphaF(0.05);
    p.fillPath(shape, fill);

    if (m_image) {
        // Whatever lies outside the well (fill, a large centred picture) is cut off at its edges.
        p.setClipPath(shape);
        p.drawImage(imageRect(m_image->deviceIndependentSize(), frame.size(), m_scaling), *m_image);
        return;
    }

    const QColor tertiary = Style::tertiaryText();
    const QPixmap symbol = m_symbols.symbol(QStringLiteral("photo"), tertiary, 40, devicePixelRatioF());
    const QSizeF symbolSize = symbol.deviceIndependentSize();
    if (m_loading) {
        p.drawPixmap(
            QPointF((frame.width() - symbolSize.width()) / 2.0, (frame.height() - symbolSize.height()) / 2.0),
            symbol);
        return;
    }
    QFont font = Style::callout();
    const QFontMetricsF metrics(font);
    const qreal total = symbolSize.height() + 8 + metrics.height();
    const qreal top = (frame.height() - total) / 2.0;
    p.drawPixmap(QPointF((frame.width() - symbolSize.width()) / 2.0, top), symbol);
    p.setFont(font);
    p.setPen(tertiary);
    p.drawText(QRectF(0, top + symbolSize.height() + 8, frame.width(), metrics.height()), Qt::AlignCenter,
               m_problem.value_or(tr("No image selected")));
}

} // namespace velmora
