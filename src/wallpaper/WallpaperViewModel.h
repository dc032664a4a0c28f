#pragma once

#include "WallpaperConfig.h"
#include "platform/DisplayService.h"

#include <QImage>
#include <QMap>
#include <QObject>

#include <optional>

namespace velmora {

class Platform;

/// The wallpaper editor's model: every display's picture, scaling and clipping as read from the
/// platform, the user's edits to them, and the result of the last apply. Edits one display at a
/// time and applies all displays at once. Lives on the UI thread; every call runs there.
class WallpaperViewModel : public QObject {
    Q_OBJECT

public:
    /// Previews are decoded at most this many pixels on their longer side; the image keeps its
    /// natural size as its device-independent size, so "center" still draws it at full size.
    static constexpr int previewMaxSide = 2048;

    explicit WallpaperViewModel(Platform &platform, QObject *parent = nullptr);

    /// The edited settings of each display, by display number.
    const QMap<quint32, WallpaperConfig> &configs() const { return m_configs; }
    /// A decoded preview per display; none when its file is missing or not an image.
    const QMap<quint32, QImage> &previews() const { return m_previews; }
    /// The displays as the platform listed them at the last load.
    const QList<Display> &screens() const { return m_screens; }
    const std::optional<quint32> &selectedDisplayID() const { return m_selectedDisplayID; }
    void setSelectedDisplayID(const std::optional<quint32> &id);
    /// The outcome of the last apply: "Applied to 2 displays." or the failure's description.
    const std::optional<QString> &status() const { return m_status; }
    /// Whether there are edits not yet applied or reverted.
    bool isDirty() const { return m_isDirty; }

    /// The selected display's settings; the defaults (no picture, fill, clipping allowed) without a
    /// selection or an entry.
    WallpaperConfig currentConfig() const;

    /// Reads the displays and their current pictures, discarding every edit. Each display starts
    /// from fill with clipping allowed: what is in effect is not read back.
    void load();
    void setImagePath(const QString &path);
    void setScaling(Scaling scaling);
    void setAllowClipping(bool allow);
    /// Sets every display's own picture; the status says how many displays have one, or what failed.
    void applyConfigs();
    /// (Re)decodes a display's preview from a file; removes it when there is no path.
    void loadPreview(quint32 id, const std::optional<QString> &path);

    /// Decodes a picture for previewing; a null image when it cannot be read.
    static QImage decodePreview(const QString &path);

signals:
    void configsChanged();
    void previewsChanged();
    void screensChanged();
    void selectedDisplayIDChanged();
    void statusChanged();
    void isDirtyChanged();

private:
    void setConfigs(const QMap<quint32, WallpaperConfig> &configs);
    void setPreviews(const QMap<quint32, QImage> &previews);
    void setScreens(const QList<Display> &screens);
    void setStatus(const std::optional<QString> &status);
    void setDirty(bool dirty);

    Platform &m_platform;
    QMap<quint32, WallpaperConfig> m_configs;
    QMap<quint32, QImage> m_previews;
    QList<Display> m_screens;
    std::optional<quint32> m_selectedDisplayID;
    std::optional<QString> m_status;
    bool m_isDirty = false;
};

} // namespace velmora
