#include "ToggleSwitch.h"

#include "Style.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {

ToggleSwitch::ToggleSwitch(QWidget *parent, Size size) : QAbstractButton(parent), m_size(size)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const
{
    return m_size == Size::small ? QSize(32, 20) : QSize(40, 24);
}

bool ToggleSwitch::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void ToggleSwitch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QSize hint = sizeHint();
    const QRectF track(QPointF((width() - hint.width()) / 2.0, (height() - hint.height()) / 2.0), hint);
    const qreal radius = track.height() / 2.0;

    QColor trackColor = isChecked() ? Style::accent() : Style::tertiaryBackground();
    if (!isEnabled())
        trackColor.setAlphaF(0.45);
    p.setPen(Qt::NoPen);
    p.setBrush(trackColor);
    p.drawRoundedRect(track, radius, radius);

    const qreal inset = 2.0;
    const qreal knob = track.height() - 2 * inset;
    const qreal x = isChecked() ? track.right() - inset - knob : track.left() + inset;
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QRectF(x, track.top() + inset + 0.7, knob, knob));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(x, track.top() + inset, knob, knob));

    if (hasFocus()) {
        QPen ring(Style::accent(), 2.0);
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(track.adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
    }
}

} // namespace velmora
