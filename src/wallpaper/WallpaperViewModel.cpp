#include "WallpaperViewModel.h"

#include "DesktopPictures.h"
#include "platform/Platform.h"

#include <QImageReader>

namespace velmora {

namespace {

bool sameScreens(const QList<Display> &a, const QList<Display> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].frame != b[i].frame ||
            a[i].deviceDescription != b[i].deviceDescription)
            return false;
    }
    return true;
}

} // namespace

WallpaperViewModel::WallpaperViewModel(Platform &platform, QObject *parent)
    : QObject(parent), m_platform(platform)
{
}

void WallpaperViewModel::setSelectedDisplayID(const std::optional<quint32> &id)
{
    if (m_selectedDisplayID == id)
        return;
    m_selectedDisplayID = id;
    emit selectedDisplayIDChanged();
}

WallpaperConfig WallpaperViewModel::currentConfig() const
{
    if (m_selectedDisplayID) {
        const auto entry = m_configs.constFind(*m_selectedDisplayID);
        if (entry != m_configs.cend())
            return *entry;
    }
    return WallpaperConfig();
}

void WallpaperViewModel::load()
{
    DisplayService &displays = m_platform.displays();
    const QList<Display> screens = displays.displays();
    setScreens(screens);
    QMap<quint32, WallpaperConfig> configs;
    QMap<quint32, QImage> previews;
    for (const Display &display : screens) {
        const quint32 id = displayID(display);
        WallpaperConfig config;
        config.imagePath = displays.desktopImagePath(display);
        // Two displays without a number share one entry: the later one's picture wins.
        configs.insert(id, config);
        previews.remove(id);
        if (config.hasImagePath()) {
            const QImage image = decodePreview(m_platform.fileLocations().expandTilde(*config.imagePath));
            if (!image.isNull())
                previews.insert(id, image);
        }
    }
    setConfigs(configs);
    setPreviews(previews);
    if (!m_selectedDisplayID || !m_configs.contains(*m_selectedDisplayID))
        setSelectedDisplayID(screens.isEmpty() ? std::nullopt
                                               : std::optional<quint32>(displayID(screens.first())));
    setDirty(false);
    setStatus(std::nullopt);
}

void WallpaperViewModel::setImagePath(const QString &path)
{
    if (!m_selectedDisplayID)
        return;
    const quint32 id = *m_selectedDisplayID;
    if (m_configs.contains(id)) {
        QMap<quint32, WallpaperConfig> configs = m_configs;
        configs[id].imagePath = path;
        setConfigs(configs);
    }
    loadPreview(id, path);
    setDirty(true);
}

void WallpaperViewModel::setScaling(Scaling scaling)
{
    if (!m_selectedDisplayID)
        return;
    if (m_configs.contains(*m_selectedDisplayID)) {
        QMap<quint32, WallpaperConfig> configs = m_configs;
        configs[*m_selectedDisplayID].scaling = scaling;
        setConfigs(configs);
    }
    setDirty(true);
}

void WallpaperViewModel::setAllowClipping(bool allow)
{
    if (!m_selectedDisplayID || !m_configs.contains(*m_selectedDisplayID))
        return;
    QMap<quint32, WallpaperConfig> configs = m_configs;
    configs[*m_selectedDisplayID].allowClipping = allow;
    setConfigs(configs);
    setDirty(true);
}

void WallpaperViewModel::applyConfigs()
{
    const WallpaperStatus applied = applyPerDisplay(m_platform, m_configs);
    if (!applied) {
        setStatus(applied.error().description());
        return;
    }
    setDirty(false);
    qsizetype n = 0;
    for (const WallpaperConfig &config : std::as_const(m_configs)) {
        if (config.hasImagePath())
            ++n;
    }
    setStatus(
        QStringLiteral("Applied to %1 display%2.").arg(n).arg(n == 1 ? QString() : QStringLiteral("s")));
}

void WallpaperViewModel::loadPreview(quint32 id, const std::optional<QString> &path)
{
    QMap<quint32, QImage> previews = m_previews;
    previews.remove(id);
    if (path && !path->isEmpty()) {
        const QImage image = decodePreview(m_platform.fileLocations().expandTilde(*path));
        if (!image.isNull())
            previews.insert(id, image);
    }
    setPreviews(previews);
}

QImage WallpaperViewModel::decodePreview(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize natural = reader.size();
    // Large pictures are decoded smaller: the page never shows more than a few hundred points of them.
    const bool shrink = natural.isValid() && qMax(natural.width(), natural.height()) > previewMaxSide;
    if (shrink)
        reader.setScaledSize(natural.scaled(previewMaxSide, previewMaxSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return image;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        natural.transpose();
    if (shrink && image.width() > 0)
        image.setDevicePixelRatio(qreal(image.width()) / natural.width());
    return image;
}

void WallpaperViewModel::setConfigs(const QMap<quint32, WallpaperConfig> &configs)
{
    if (m_configs == configs)
        return;
    m_configs = configs;
    emit configsChanged();
}

void WallpaperViewModel::setPreviews(const QMap<quint32, QImage> &previews)
{
    if (m_previews == previews)
        return;
    m_previews = previews;
    emit previewsChanged();
}

void WallpaperViewModel::setScreens(const QList<Display> &screens)
{
    if (sameScreens(m_screens, screens))
        return;
    m_screens = screens;
    emit screensChanged();
}

void WallpaperViewModel::setStatus(const std::optional<QString> &status)
{
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged();
}

void WallpaperViewModel::setDirty(bool dirty)
{
    if (m_isDirty == dirty)
        return;
    m_isDirty = dirty;
    emit isDirtyChanged();
}

} // namespace velmora
