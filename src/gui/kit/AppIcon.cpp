#include "AppIcon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>

namespace velmora {

namespace {

/// Draws the SVG at a size when that size is first asked for. Every window and dialog shares the
/// icon, but most sizes are never shown: drawing all of them at start (the 512-pixel one above all)
/// cost the window a noticeable part of its first frame.
class AppIconEngine : public QIconEngine {
public:
    AppIconEngine() = default;
    AppIconEngine(const AppIconEngine &other) : QIconEngine(other), m_cache(other.m_cache) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        // Square: the smaller side of what is asked, as an icon of square pixmaps gives.
        const int side = qMin(size.width(), size.height());
        return side > 0 ? QSize(side, side) : QSize();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QSize actual = actualSize(size, mode, state);
        if (actual.isEmpty())
            return {};
        QPixmap drawn = m_cache.value(actual.width());
        if (drawn.isNull()) {
            drawn = render(actual.width());
            if (drawn.isNull())
                return drawn;
            m_cache.insert(actual.width(), drawn);
        }
        if (mode == QIcon::Disabled && qobject_cast<QApplication *>(QCoreApplication::instance())) {
            QStyleOption option;
            option.palette = QApplication::palette();
            return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
        }
        return drawn;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        // What a window system may take all of at once (X11 hands every size to the window
        // manager); larger sizes are drawn when asked for.
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }

    QString key() const override { return QStringLiteral("velmora-app-icon"); }
    QIconEngine *clone() const override { return new AppIconEngine(*this); }
    bool isNull() override { return !renderer().isValid(); }

private:
    QSvgRenderer &renderer()
    {
        if (!m_renderer)
            m_renderer = std::make_unique<QSvgRenderer>(QStringLiteral(":/velmora/velmora.svg"));
        return *m_renderer;
    }

    QPixmap render(int side)
    {
        if (!renderer().isValid())
            return {};
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer().render(&painter);
        painter.end();
        return pixmap;
    }

    std::unique_ptr<QSvgRenderer> m_renderer;
    QHash<int, QPixmap> m_cache;
};

} // namespace

QIcon AppIcon::icon()
{
    // Drawn by the engine above rather than left to the SVG icon engine plugin, which a machine may
    // lack. Not kept in a static: pixmaps must go before the application does.
    return QIcon(new AppIconEngine);
}

} // namespace velmora
