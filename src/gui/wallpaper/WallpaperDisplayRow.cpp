#include "WallpaperDisplayRow.h"

#include "gui/kit/Style.h"
#include "platform/SymbolImages.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {

constexpr int kVerticalPadding = 6;
constexpr int kHorizontalPadding = 8;
constexpr int kSpacing = 10;
constexpr QSize kThumbnail(36, 24);
constexpr qreal kCheckSize = 16;

} // namespace

WallpaperDisplayRow::WallpaperDisplayRow(const SymbolImages &symbols, quint32 displayID, QWidget *parent)
    : QAbstractButton(parent), m_symbols(symbols), m_displayID(displayID)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void WallpaperDisplayRow::setName(const QString &name)
{
    if (name == m_name)
        return;
    m_name = name;
    setAccessibleName(name);
    updateGeometry();
    update();
}

void WallpaperDisplayRow::setSizeText(const QString &text)
{
    if (text == m_sizeText)
        return;
    m_sizeText = text;
    setAccessibleDescription(text);
    update();
}

void WallpaperDisplayRow::setPreview(const std::optional<QImage> &preview)
{
    m_preview = preview;
    update();
}

void WallpaperDisplayRow::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    update();
}

QFont WallpaperDisplayRow::nameFont() const
{
    QFont font = Style::callout();
    font.setWeight(m_selected ? QFont::DemiBold : QFont::Normal);
    return font;
}

QFont WallpaperDisplayRow::sizeFont() const
{
    return Style::monospacedDigits(Style::caption());
}

QSize WallpaperDisplayRow::sizeHint() const
{
    const int text = QFontMetrics(nameFont()).height() + 2 + QFontMetrics(sizeFont()).height();
    const int width = kHorizontalPadding * 2 + kThumbnail.width() + kSpacing +
                      QFontMetrics(nameFont()).horizontalAdvance(m_name) + kSpacing + int(kCheckSize);
    return QSize(width, kVerticalPadding * 2 + qMax(kThumbnail.height(), text));
}

void WallpaperDisplayRow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF frame(rect());
    const QColor accent = Style::accent();
    if (m_selected) {
        QPainterPath background;
        background.addRoundedRect(frame, 8, 8);
        QColor tint = accent;
        tint.setAlphaF(0.12);
        p.fillPath(background, tint);
    }
    if (hasFocus()) {
        p.setPen(QPen(accent, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(frame.adjusted(0.75, 0.75, -0.75, -0.75), 8, 8);
    }

    // Thumbnail: the picture stretched to the frame, or a display symbol on a faint plate.
    const QRectF thumb(kHorizontalPadding, (frame.height() - kThumbnail.height()) / 2.0, kThumbnail.width(),
                       kThumbnail.height());
    QPainterPath thumbShape;
    thumbShape.addRoundedRect(thumb, 4, 4);
    if (m_preview) {
        p.save();
        p.setClipPath(thumbShape);
        p.drawImage(thumb, *m_preview);
        p.restore();
    } else {
        QColor plate = palette().color(QPalette::WindowText);
        plate.setAlphaF(0.08);
        p.fillPath(thumbShape, plate);
        const QPixmap symbol =
            m_symbols.symbol(QStringLiteral("display"), Style::tertiaryText(), 14, devicePixelRatioF());
        const QSizeF size = symbol.deviceIndependentSize();
        p.drawPixmap(QPointF(thumb.center().x() - size.width() / 2, thumb.center().y() - size.height() / 2),
                     symbol);
    }

    // Name over size.
    const qreal textLeft = thumb.right() + kSpacing;
    const qreal textRight = frame.width() - kHorizontalPadding - (m_selected ? kCheckSize + kSpacing : 0);
    const QFontMetricsF nameMetrics(nameFont());
    const QFontMetricsF sizeMetrics(sizeFont());
    const qreal textHeight = nameMetrics.height() + 2 + sizeMetrics.height();
    const qreal top = (frame.height() - textHeight) / 2.0;
    p.setFont(nameFont());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRectF(textLeft, top, textRight - textLeft, nameMetrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               nameMetrics.elidedText(m_name, Qt::ElideRight, textRight - textLeft));
    p.setFont(sizeFont());
    p.setPen(Style::tertiaryText());
    p.drawText(QRectF(textLeft, top + nameMetrics.height() + 2, textRight - textLeft, sizeMetrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter, m_sizeText);

    if (m_selected) {
        const QPixmap check = m_symbols.symbol(QStringLiteral("checkmark.circle.fill"), accent, kCheckSize,
                                               devicePixelRatioF());
        const QSizeF size = check.deviceIndependentSize();
        p.drawPixmap(QPointF(frame.width() - kHorizontalPadding - size.width(),
                             (frame.height() - size.height()) / 2.0),
                     check);
    }
}

} // namespace velmora
