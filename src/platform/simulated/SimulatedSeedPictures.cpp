// The sample desktop pictures of the simulated Mac, its displays, and the picture each shows at first.

#include "SimulatedDisplayService.h"
#include "SimulatedRoot.h"
#include "SimulatedSeed.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace velmora {

namespace {

// Pictures are drawn rather than shipped. They are small (a seed runs for every test root), in two
// formats, and of different shapes, so that fill, fit, stretch and center each look different.
struct SamplePicture {
    const char *fileName;
    const char *format;
    QSize size;
    std::function<void(QPainter &, const QRectF &)> paint;
};

void paintDusk(QPainter &p, const QRectF &r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(0x1B, 0x1F, 0x4B));
    sky.setColorAt(0.55, QColor(0xC0, 0x4F, 0x7A));
    sky.setColorAt(1.0, QColor(0xF6, 0xA5, 0x5B));
    p.fillRect(r, sky);
    QRadialGradient sun(QPointF(r.width() * 0.68, r.height() * 0.62), r.height() * 0.22);
    sun.setColorAt(0.0, QColor(255, 236, 190, 255));
    sun.setColorAt(1.0, QColor(255, 236, 190, 0));
    p.fillRect(r, sun);
    // Two ranges of hills, the nearer one darker.
    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath hills;
        const qreal base = r.height() * (0.72 + 0.1 * layer);
        hills.moveTo(0, r.height());
        hills.lineTo(0, base);
        hills.cubicTo(r.width() * 0.25, base - r.height() * (0.14 - 0.04 * layer), r.width() * 0.5,
                      base + r.height() * 0.08, r.width(), base - r.height() * 0.06);
        hills.lineTo(r.width(), r.height());
        p.fillPath(hills, layer == 0 ? QColor(0x3A, 0x24, 0x4A) : QColor(0x1E, 0x14, 0x2C));
    }
}

void paintLagoon(QPainter &p, const QRectF &r)
{
    QLinearGradient water(r.topLeft(), r.bottomRight());
    water.setColorAt(0.0, QColor(0x00, 0x7E, 0x8F));
    water.setColorAt(1.0, QColor(0x0B, 0x2E, 0x59));
    p.fillRect(r, water);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        QRadialGradient ripple(QPointF(r.width() * (0.15 + 0.12 * i), r.height() * (0.3 + 0.07 * (i % 3))),
                               r.height() * (0.18 + 0.03 * i));
        ripple.setColorAt(0.0, QColor(255, 255, 255, 60));
        ripple.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setBrush(ripple);
        p.drawEllipse(ripple.center(), ripple.radius(), ripple.radius());
    }
}

void paintGraphite(QPainter &p, const QRectF &r)
{
    p.fillRect(r, QColor(0x2B, 0x2D, 0x31));
    p.setPen(Qt::NoPen);
    const QColor colours[] = {QColor(0x8E, 0x8E, 0x93), QColor(0x63, 0x66, 0x6A), QColor(0xAE, 0xAE, 0xB2)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(colours[i]);
        const qreal side = r.width() * (0.28 - 0.06 * i);
        p.drawRoundedRect(QRectF(r.width() * (0.18 + 0.22 * i), r.height() * (0.2 + 0.15 * i), side, side),
                          18, 18);
    }
}

void paintBloom(QPainter &p, const QRectF &r)
{
    p.fillRect(r, QColor(0xFF, 0xF4, 0xE6));
    p.setPen(Qt::NoPen);
    const QPointF centre = r.center();
    for (int petal = 0; petal < 8; ++petal) {
        p.save();
        p.translate(centre);
        p.rotate(petal * 45.0);
        QLinearGradient fill(QPointF(0, 0), QPointF(0, -r.height() * 0.42));
        fill.setColorAt(0.0, QColor(0xFF, 0x6B, 0x8B));
        fill.setColorAt(1.0, QColor(0xFF, 0xB3, 0x47));
        p.setBrush(fill);
        p.drawEllipse(QRectF(-r.width() * 0.09, -r.height() * 0.42, r.width() * 0.18, r.height() * 0.42));
        p.restore();
    }
    p.setBrush(QColor(0xFF, 0xD6, 0x0A));
    p.drawEllipse(centre, r.width() * 0.07, r.width() * 0.07);
}

QList<SamplePicture> samplePictures()
{
    return {
        {"Dusk.jpg", "JPEG", QSize(640, 400), paintDusk},
        {"Lagoon.jpg", "JPEG", QSize(600, 375), paintLagoon},
        {"Graphite.png", "PNG", QSize(480, 480), paintGraphite},
        {"Bloom.png", "PNG", QSize(240, 320), paintBloom},
    };
}

QByteArray encode(const SamplePicture &picture)
{
    QImage image(picture.size, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        picture.paint(p, QRectF(QPointF(0, 0), QSizeF(picture.size)));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, picture.format, 88))
        return QByteArray();
    return bytes;
}

} // namespace

Status SimulatedSeed::seedDesktopPictures() const
{
    const QString folder = m_root.path() + QStringLiteral("/Library/Desktop Pictures");
    QStringList written;
    for (const SamplePicture &picture : samplePictures()) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(picture.fileName);
        if (!QFileInfo::exists(path)) {
            const QByteArray bytes = encode(picture);
            // A Qt without the format's plugin simply has one sample fewer.
            if (bytes.isEmpty())
                continue;
            const Status status = writeIfMissing(path, bytes);
            if (!status)
                return status;
        }
        written << path;
    }

    SimulatedDisplayService displays(m_root);
    // The displays are written out so that they can be edited; an existing file is the user's.
    const Status described =
        writeIfMissing(displays.displaysFile(), SimulatedDisplayService::defaultDisplaysJson());
    if (!described)
        return described;
    if (QFileInfo::exists(displays.picturesFile()) || written.isEmpty())
        return Status::success();
    // Every display starts with a picture of its own, as a Mac fresh from setup does.
    const QList<Display> screens = displays.displays();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QVariantMap options{{DisplayService::scalingKey(), QVariant::fromValue(quint64(3))},
                                  {DisplayService::allowClippingKey(), true}};
        const Status set = displays.setDesktopImage(written[i % written.size()], screens[i], options);
        if (!set)
            return set;
    }
    return Status::success();
}

} // namespace velmora
