#include "SimulatedWorkspace.h"

#include "IcnsFile.h"
#include "common/RegularFile.h"
#include "platform/PlatformMessages.h"
#include "plist/PropertyList.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace velmora {

namespace {

enum class GenericIcon { application, folder, document };

// The bundle's icon file named by "CFBundleIconFile" in its Info.plist, if it is there.
QString bundleIconFile(const QString &bundle)
{
    const Result<QVariant> info = PropertyList::readFile(bundle + QStringLiteral("/Contents/Info.plist"));
    if (!info || info->typeId() != QMetaType::QVariantMap)
        return QString();
    const QString name = info->toMap().value(QStringLiteral("CFBundleIconFile")).toString();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".."))
        return QString();
    const QString resources = bundle + QStringLiteral("/Contents/Resources/");
    for (const QString &candidate : {name, name + QStringLiteral(".icns"), name + QStringLiteral(".png")}) {
        if (QFileInfo(resources + candidate).isFile())
            return resources + candidate;
    }
    return QString();
}

// Drawn on an image, not a pixmap, so any thread may draw it.
QImage genericIcon(GenericIcon kind, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 128.0, side / 128.0);
        p.setPen(Qt::NoPen);
        switch (kind) {
        case GenericIcon::application: {
            QPainterPath shape;
            shape.addRoundedRect(QRectF(10, 10, 108, 108), 24, 24);
            QLinearGradient fill(0, 10, 0, 118);
            fill.setColorAt(0.0, QColor(0xB8, 0xBC, 0xC4));
            fill.setColorAt(1.0, QColor(0x7C, 0x82, 0x8C));
            p.fillPath(shape, fill);
            p.setBrush(QColor(255, 255, 255, 210));
            p.drawRoundedRect(QRectF(34, 40, 60, 48), 6, 6);
            p.setBrush(QColor(0x7C, 0x82, 0x8C));
            p.drawRect(QRectF(34, 40, 60, 9));
            break;
        }
        case GenericIcon::folder: {
            p.setBrush(QColor(0x5A, 0xA9, 0xE6));
            p.drawRoundedRect(QRectF(10, 26, 50, 24), 6, 6);
            p.setBrush(QColor(0x74, 0xB9, 0xF0));
            p.drawRoundedRect(QRectF(10, 36, 108, 76), 8, 8);
            break;
        }
        case GenericIcon::document: {
            p.setBrush(QColor(0xF2, 0xF2, 0xF4));
            p.setPen(QPen(QColor(0xA0, 0xA4, 0xAC), 3));
            p.drawRoundedRect(QRectF(26, 10, 76, 108), 6, 6);
            break;
        }
        }
    }
    return image;
}

// The bundle's own icon: an Apple icon file, or an image file Qt reads, of a sensible size.
QImage bundleIcon(const QString &bundle)
{
    const QString file = bundleIconFile(bundle);
    if (file.isEmpty())
        return QImage();
    const Result<QByteArray> bytes = RegularFile::read(file, IcnsFile::maxFileBytes);
    if (!bytes)
        return QImage();
    if (bytes->startsWith("icns")) {
        const Result<QImage> icon = IcnsFile::decode(*bytes);
        return icon ? *icon : QImage();
    }
    QBuffer buffer;
    buffer.setData(*bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > IcnsFile::maxSide || size.height() > IcnsFile::maxSide)
        return QImage();
    return reader.read();
}

} // namespace

QImage SimulatedWorkspace::iconForFile(const QString &path, int side) const
{
    side = iconSide(side);
    QString file = path;
    while (file.size() > 1 && file.endsWith(QLatin1Char('/')))
        file.chop(1);
    if (file.endsWith(QLatin1String(".app"))) {
        const QImage own = bundleIcon(file);
        if (own.isNull())
            return genericIcon(GenericIcon::application, side);
        return own.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return genericIcon(QFileInfo(file).isDir() ? GenericIcon::folder : GenericIcon::document, side);
}

Status SimulatedWorkspace::openURL(const QUrl &url)
{
    if (!url.isValid())
        return Status::failure(PlatformMessages::invalidURL(url.toString()));
    return appendLine(m_root.openedURLLog(), url.toString(QUrl::FullyEncoded));
}

void SimulatedWorkspace::playAlertSound()
{
    appendLine(m_root.systemLog(), QStringLiteral("[sound] alert"));
}

void SimulatedWorkspace::log(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    appendLine(m_root.systemLog(), line);
}

Status SimulatedWorkspace::appendLine(const QString &file, const QString &line) const
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (!out.open(QIODevice::Append | QIODevice::Text))
        return Status::failure(QStringLiteral("Could not write %1: %2").arg(file, out.errorString()));
    QTextStream stream(&out);
    stream << QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) << '\t' << line << '\n';
    return Status::success();
}

} // namespace velmora
