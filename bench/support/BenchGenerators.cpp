#include "BenchGenerators.h"

#include "plist/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QVariantMap>

#include <cmath>

namespace velmora::bench {

QString writeNoisePicture(const QString &path, int megabytes)
{
    const int side = int(std::sqrt(megabytes * 1024.0 * 1024.0 / 3.0));
    QImage image(side, side, QImage::Format_RGB888);
    if (image.isNull())
        return {};
    for (int y = 0; y < side; ++y)
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(image.scanLine(y)),
                                              image.bytesPerLine() / 4);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "PNG", 0) ? path : QString();
}

QString writeLargePhoto(const QString &path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x2B, 0x5F, 0x9E));
    sky.setColorAt(1, QColor(0xF2, 0xB0, 0x6B));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    const int largest = qMax(100, qMin(size.width(), size.height()) / 10);
    for (int i = 0; i < 200; ++i) {
        const int x = QRandomGenerator::global()->bounded(size.width());
        const int y = QRandomGenerator::global()->bounded(size.height());
        const int r = 50 + QRandomGenerator::global()->bounded(largest);
        p.setBrush(QColor::fromHsv(QRandomGenerator::global()->bounded(360), 120, 220, 90));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(x, y), r, r);
    }
    p.end();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "JPEG", 90) ? path : QString();
}

QStringList applicationFolders(const QString &root)
{
    return {root + QStringLiteral("/Applications"), root + QStringLiteral("/Applications/Utilities"),
            root + QStringLiteral("/System/Applications"),
            root + QStringLiteral("/System/Applications/Utilities"),
            root + QStringLiteral("/Users/user/Applications")};
}

bool layOutApplications(const QString &root, int bundles)
{
    const QStringList folders = applicationFolders(root);
    const int share[] = {60, 10, 15, 5, 10};
    int made = 0;
    for (int f = 0; f < folders.size(); ++f) {
        const int count = f + 1 == folders.size() ? bundles - made : bundles * share[f] / 100;
        for (int i = 0; i < count; ++i, ++made) {
            const QString name = QStringLiteral("App %1").arg(made, 5, 10, QLatin1Char('0'));
            const QString bundle = folders[f] + QStringLiteral("/") + name + QStringLiteral(".app");
            if (!QDir().mkpath(bundle + QStringLiteral("/Contents/MacOS")))
                return false;
            if (made % 50 == 49)
                continue; // no information dictionary
            QVariantMap info{
                {QStringLiteral("CFBundleName"), name},
                {QStringLiteral("CFBundleIdentifier"), QStringLiteral("com.example.app%1").arg(made)},
                {QStringLiteral("CFBundleExecutable"), name},
                {QStringLiteral("CFBundlePackageType"), QStringLiteral("APPL")},
                {QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.0")},
                {QStringLiteral("LSMinimumSystemVersion"), QStringLiteral("14.0")}};
            if (made % 7 == 0)
                info.insert(QStringLiteral("CFBundleDisplayName"), name.toLower());
            if (!PropertyList::writeFile(bundle + QStringLiteral("/Contents/Info.plist"), info,
                                         made % 2 ? PropertyList::Format::binary : PropertyList::Format::xml))
                return false;
        }
        QDir().mkpath(folders[f] + QStringLiteral("/Vendor/Nested.app/Contents"));
        QFile readMe(folders[f] + QStringLiteral("/Read Me.txt"));
        if (!readMe.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace velmora::bench
