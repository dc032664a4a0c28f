#include "ChooseImageTapTarget.h"

#include "gui/kit/Style.h"
#include "platform/SymbolImages.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {

constexpr int kHorizontalPadding = 16;
constexpr int kVerticalPadding = 9;
constexpr int kSpacing = 6;
constexpr qreal kSymbolSize = 15;

} // namespace

ChooseImageTapTarget::ChooseImageTapTarget(const SymbolImages &symbols, QWidget *parent)
    : QAbstractButton(parent), m_symbols(symbols)
{
    setText(tr("Choose Image"));
    setAccessibleName(tr("Choose Image"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Redraw when pressed or released, for the dimmed look.
    connect(this, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
}

QFont ChooseImageTapTarget::labelFont() const
{
    QFont font = this->font();
    font.setWeight(QFont::Medium);
    return font;
}

QSize ChooseImageTapTarget::sizeHint() const
{
    const QFontMetrics metrics(labelFont());
    const int width =
        kHorizontalPadding * 2 + int(kSymbolSize) + kSpacing + metrics.horizontalAdvance(text());
    const int height = kVerticalPadding * 2 + qMax(int(kSymbolSize), metrics.height());
    return QSize(width, height);
}

void ChooseImageTapTarget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(rect());
    QPainterPath shape;
    shape.addRoundedRect(frame, 8, 8);
    // The white label needs the deeper blue of the prominent buttons to stay readable.
    const QColor fill = isDown() ? Style::prominentFill().darker(115) : Style::prominentFill();
    p.fillPath(shape, fill);

    const QPixmap symbol =
        m_symbols.symbol(QStringLiteral("photo.badge.plus"), Qt::white, kSymbolSize, devicePixelRatioF());
    const QSizeF symbolSize = symbol.deviceIndependentSize();
    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    const qreal contentWidth = symbolSize.width() + kSpacing + metrics.horizontalAdvance(text());
    qreal x = (frame.width() - contentWidth) / 2.0;
    p.drawPixmap(QPointF(x, (frame.height() - symbolSize.height()) / 2.0), symbol);
    x += symbolSize.width() + kSpacing;
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(x, 0, frame.width() - x, frame.height()), Qt::AlignLeft | Qt::AlignVCenter, text());

    if (hasFocus()) {
        QPen ring(Style::accent().lighter(140), 2.0);
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(frame.adjusted(1, 1, -1, -1), 7, 7);
    }
}

} // namespace velmora
