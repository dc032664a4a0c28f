#include "BenchGenerators.h"

#include "catalogue/TweakRegistry.h"
#include "dock/DockAppsTweakHandler.h"
#include "engine/TweakEngine.h"
#include "engine/TweakHandlers.h"
#include "platform/simulated/SimulatedPlatform.h"
#include "platform/simulated/SimulatedRoot.h"
#include "plist/PropertyList.h"
#include "profiles/Profile.h"
#include "profiles/ProfileApplier.h"
#include "profiles/ProfileDocument.h"
#include "wallpaper/WallpaperTweakHandler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QVariantMap>

#include <cmath>
#include <cstring>
#include <optional>

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

QString writeHugePicture(const QString &path, QSize size)
{
    QImage image(size, QImage::Format_Grayscale8);
    if (image.isNull())
        return {};
    for (int y = 0; y < size.height(); ++y)
        std::memset(image.scanLine(y), 64 + (y / 997 % 2) * 96 + (y % 97), size_t(size.width()));
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "JPEG", 85) ? path : QString();
}

namespace {

// A value of the tweak's kind that differs from `now`; nothing for the tweaks whose value is a
// whole state (the Dock's contents, the desktop picture), which keep the value the root has.
std::optional<TweakValue> changed(const Tweak &tweak, const TweakValue &now, const QString &home)
{
    if (tweak.servedByHandler)
        return std::nullopt;
    const TweakKind &kind = tweak.kind;
    switch (kind.type()) {
    case TweakKind::Type::toggle: return TweakValue::ofBool(!now.toBool());
    case TweakKind::Type::integer: {
        const TweakKind::Integer &b = kind.integerBounds();
        const qint64 up = now.toInt() + b.step;
        return TweakValue::ofInt(b.max && up > *b.max ? now.toInt() - b.step : up);
    }
    case TweakKind::Type::decimal: {
        const TweakKind::Decimal &b = kind.decimalBounds();
        const double up = now.toDouble() + b.step;
        return TweakValue::ofDouble(b.max && up > *b.max ? now.toDouble() - b.step : up);
    }
    case TweakKind::Type::picker: {
        const QList<TweakOption> &options = kind.options();
        for (const TweakOption &option : options) {
            if (option.value != now)
                return option.value;
        }
        return std::nullopt;
    }
    case TweakKind::Type::text: return TweakValue::ofString(now.toString() + QStringLiteral(" (bench)"));
    case TweakKind::Type::path: return TweakValue::ofString(home + QStringLiteral("/Pictures"));
    }
    return std::nullopt;
}

} // namespace

QString writeProfileOfAllValues(const QString &rootPath, const QString &file)
{
    SimulatedRoot root(rootPath);
    if (!root.isInitialized() && !root.initialize())
        return QStringLiteral("cannot lay out %1").arg(rootPath);
    QDir().mkpath(root.home() + QStringLiteral("/Pictures"));
    SimulatedPlatform platform(rootPath);
    Result<TweakHandlers> handlers = TweakHandlers::bind(
        TweakRegistry::shared(), {{QStringLiteral("dock.apps"), makeDockAppsTweakHandler()},
                                  {QStringLiteral("wallpaper.config"), makeWallpaperTweakHandler()}});
    if (!handlers)
        return handlers.error();
    TweakEngine engine(TweakRegistry::shared(), platform, std::move(handlers).value());
    QCoro::waitFor(engine.refreshAll());

    Profile moved;
    for (const Tweak &tweak : TweakRegistry::shared().tweaks()) {
        const TweakValue now = engine.currentValues().value(tweak.id, tweak.defaultValue);
        if (const std::optional<TweakValue> value = changed(tweak, now, root.home()))
            moved.values.insert(tweak.id, *value);
    }
    const ProfileApplyReport report = QCoro::waitFor(applyProfile(&engine, moved));
    if (!report.ok())
        return QStringLiteral("cannot set %1: %2")
            .arg(report.failures.first().tweakID, report.failures.first().reason);

    const ProfileDocument document(
        QCoro::waitFor(Profile::makeFromCurrentState(&engine, QStringLiteral("bench"))));
    if (document.profile().values.size() != TweakRegistry::shared().tweaks().size())
        return QStringLiteral("the profile holds %1 of %2 values")
            .arg(document.profile().values.size())
            .arg(TweakRegistry::shared().tweaks().size());
    const Status written = document.write(file);
    return written ? QString() : written.error();
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
