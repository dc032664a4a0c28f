#include "AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace velmora {

QIcon AppIcon::icon()
{
    // Rendered into pixmaps rather than left to the SVG icon engine plugin, which a machine may lack.
    // Not kept in a static: pixmaps must go before the application does.
    QIcon icon;
    QSvgRenderer renderer(QStringLiteral(":/velmora/velmora.svg"));
    if (!renderer.isValid())
        return icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256, 512}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace velmora
