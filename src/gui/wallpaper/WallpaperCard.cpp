#include "WallpaperCard.h"

#include "gui/kit/Style.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace velmora {

WallpaperCard::WallpaperCard(const QString &heading, int spacing, QWidget *parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(16, 16, 16, 16);
    m_layout->setSpacing(spacing);
    auto *title = new QLabel(heading, this);
    title->setFont(Style::headline());
    title->setTextFormat(Qt::PlainText);
    m_layout->addWidget(title);
}

void WallpaperCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 14, 14);
    QColor fill = palette().color(QPalette::WindowText);
    fill.setAlphaF(0.05);
    p.fillPath(shape, fill);
}

} // namespace velmora
