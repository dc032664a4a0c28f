#pragma once

#include "WallpaperConfig.h"
#include "platform/DisplayService.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QObject>
#include <QSet>

#include <optional>

namespace velmora {

class Platform;

/// The wallpaper editor's model: every display's picture, scaling and clipping as read from the
/// platform, the user's edits to them, and the result of the last apply. Edits one display at a
/// time and applies all displays at once. Lives on the UI thread; every call runs there, and the
/// previews are decoded on worker threads, each arriving when it is ready.
class WallpaperViewModel : public QObject {
    Q_OBJECT

public:
    /// Until the page gives the size it shows previews at, they are decoded at most this many pixels
    /// on their longer side. A preview keeps its picture's natural size as its device-independent
    /// size, so "center" still draws it at full size.
    static constexpr int previewMaxSide = 2048;

    explicit WallpaperViewModel(Platform &platform, QObject *parent = nullptr);

    /// The edited settings of each display, by display number.
    const QMap<quint32, WallpaperConfig> &configs() const { return m_configs; }
    /// A decoded preview per display; none when its file is missing or not an image, or while it is
    /// being decoded.
    const QMap<quint32, QImage> &previews() const { return m_previews; }
    /// The displays whose preview is being decoded for a picture they have no preview of yet.
    const QSet<quint32> &pendingPreviews() const { return m_pendingPreviews; }
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
    /// (Re)decodes a display's preview from a file in the background; removes it when there is no
    /// path. A preview of another picture goes at once; one of the same picture stays until the new
    /// decode replaces it. A decode that ends after the display moved on to another picture is dropped.
    void loadPreview(quint32 id, const std::optional<QString> &path);
    /// The size in device pixels previews are shown at (the page's preview, times its pixel ratio).
    /// Previews are decoded just large enough to cover it; they are decoded again when it grows.
    void setPreviewPixelSize(QSize size);
    QSize previewPixelSize() const { return m_previewPixelSize; }

    /// Why a picture has no preview: decoding it would take more memory than the image reader
    /// allows (a 30000×30000 PNG, which cannot be decoded smaller), or it cannot be read at all.
    enum class PreviewProblem { tooLarge, unreadable };
    struct DecodedPreview {
        QImage image;
        std::optional<PreviewProblem> problem; ///< set when `image` is null
    };

    /// Decodes a picture for previewing, scaled down to just cover `cover` (keeping its proportions)
    /// or, with an empty `cover`, to at most `previewMaxSide` on its longer side. Never scaled up; a
    /// null image when it cannot be read. Runs on any thread.
    static QImage decodePreview(const QString &path, QSize cover = QSize());
    /// `decodePreview`, saying why when there is no image.
    static DecodedPreview decodePreviewOrProblem(const QString &path, QSize cover = QSize());

    /// The displays whose picture could not be previewed, and why; cleared when the picture changes.
    const QMap<quint32, PreviewProblem> &previewProblems() const { return m_previewProblems; }

signals:
    void configsChanged();
    void previewsChanged();
    void pendingPreviewsChanged();
    void previewProblemsChanged();
    void screensChanged();
    void selectedDisplayIDChanged();
    void statusChanged();
    void isDirtyChanged();

private:
    void setConfigs(const QMap<quint32, WallpaperConfig> &configs);
    void setPreviews(const QMap<quint32, QImage> &previews);
    void setPendingPreviews(const QSet<quint32> &pending);
    void setPreviewProblems(const QMap<quint32, PreviewProblem> &problems);
    /// Starts decoding a display's preview; any decode it waited for no longer concerns it.
    void decode(quint32 id, const QString &file);
    /// Decodes a picture on a worker and gives it to the displays still waiting for this decode.
    QCoro::Task<> decodeInBackground(quint64 ticket, QString file, QSize cover);
    void setScreens(const QList<Display> &screens);
    void setStatus(const std::optional<QString> &status);
    void setDirty(bool dirty);

    Platform &m_platform;
    QMap<quint32, WallpaperConfig> m_configs;
    QMap<quint32, QImage> m_previews;
    QSet<quint32> m_pendingPreviews;
    QMap<quint32, PreviewProblem> m_previewProblems;
    /// The file each display's preview is of, or is being decoded from.
    QMap<quint32, QString> m_previewFiles;
    /// The decode each display waits for; a decode whose ticket is no longer here is stale.
    QMap<quint32, quint64> m_previewTickets;
    struct Decode {
        quint64 ticket = 0;
        QSize cover;
    };
    /// The decodes under way, by file.
    QHash<QString, Decode> m_decodes;
    quint64 m_nextTicket = 0;
    QSize m_previewPixelSize;
    QList<Display> m_screens;
    std::optional<quint32> m_selectedDisplayID;
    std::optional<QString> m_status;
    bool m_isDirty = false;
};

} // namespace velmora
