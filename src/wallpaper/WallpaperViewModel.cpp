#include "WallpaperViewModel.h"

#include "DesktopPictures.h"
#include "platform/Platform.h"

#include <QCoro/QCoroFuture>
#include <QImageReader>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

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
    for (const Display &display : screens) {
        WallpaperConfig config;
        config.imagePath = displays.desktopImagePath(display);
        // Two displays without a number share one entry: the later one's picture wins.
        configs.insert(displayID(display), config);
    }
    setConfigs(configs);
    // The previews of displays that are gone go with them; the others are decoded afresh, as their
    // files may have changed.
    const QList<quint32> shown = m_previewFiles.keys();
    for (const quint32 id : shown) {
        if (!configs.contains(id))
            loadPreview(id, std::nullopt);
    }
    for (auto it = configs.cbegin(); it != configs.cend(); ++it)
        loadPreview(it.key(), it->imagePath);
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
    // No English translation is shipped, so each source text must already read right untranslated;
    // a translation gives both the full set of plural forms.
    setStatus(n == 1 ? tr("Applied to %n display.", nullptr, int(n))
                     : tr("Applied to %n displays.", nullptr, int(n)));
}

void WallpaperViewModel::loadPreview(quint32 id, const std::optional<QString> &path)
{
    const QString file = path && !path->isEmpty() ? m_platform.fileLocations().expandTilde(*path) : QString();
    const bool samePicture = !file.isEmpty() && m_previewFiles.value(id) == file;
    if (!samePicture && m_previews.contains(id)) {
        QMap<quint32, QImage> previews = m_previews;
        previews.remove(id);
        setPreviews(previews);
    }
    if (!samePicture && m_previewProblems.contains(id)) {
        QMap<quint32, PreviewProblem> problems = m_previewProblems;
        problems.remove(id);
        setPreviewProblems(problems);
    }
    if (file.isEmpty()) {
        m_previewFiles.remove(id);
        m_previewTickets.remove(id);
        QSet<quint32> pending = m_pendingPreviews;
        pending.remove(id);
        setPendingPreviews(pending);
        return;
    }
    m_previewFiles.insert(id, file);
    decode(id, file);
}

void WallpaperViewModel::setPreviewPixelSize(QSize size)
{
    // Only growing counts: a preview decoded for a larger well draws well in a smaller one.
    const QSize grown = m_previewPixelSize.isValid() ? size.expandedTo(m_previewPixelSize) : size;
    if (grown.isEmpty() || grown == m_previewPixelSize)
        return;
    m_previewPixelSize = grown;
    // Previews decoded smaller than their pictures may now be too small: decode them again, showing
    // the present ones until then.
    for (auto it = m_previewFiles.cbegin(); it != m_previewFiles.cend(); ++it) {
        const auto preview = m_previews.constFind(it.key());
        const bool shrunk = preview != m_previews.cend() && preview->devicePixelRatio() < 1.0;
        if (shrunk || m_pendingPreviews.contains(it.key()))
            decode(it.key(), *it);
    }
}

void WallpaperViewModel::decode(quint32 id, const QString &file)
{
    // Displays showing one picture (the usual case) share its decode.
    const auto underWay = m_decodes.constFind(file);
    const bool shared = underWay != m_decodes.cend() && underWay->cover == m_previewPixelSize;
    const quint64 ticket = shared ? underWay->ticket : ++m_nextTicket;
    m_previewTickets.insert(id, ticket);
    if (!m_previews.contains(id)) {
        QSet<quint32> pending = m_pendingPreviews;
        pending.insert(id);
        setPendingPreviews(pending);
    }
    if (shared)
        return;
    // Started last: a decode that is over before it is awaited hands its picture out at once.
    m_decodes.insert(file, Decode{ticket, m_previewPixelSize});
    QCoro::connect(decodeInBackground(ticket, file, m_previewPixelSize), this, [] {});
}

QCoro::Task<> WallpaperViewModel::decodeInBackground(quint64 ticket, QString file, QSize cover)
{
    QPointer<WallpaperViewModel> self(this);
    // A picture of 8000×6000 takes seconds to decode whole; scaled to the well it is quick, and off
    // the window's thread either way.
    QFuture<DecodedPreview> decoding =
        QtConcurrent::run(&WallpaperViewModel::decodePreviewOrProblem, file, cover);
    const DecodedPreview decoded = co_await decoding;
    if (!self)
        co_return;
    const QImage &image = decoded.image;
    if (m_decodes.value(file).ticket == ticket)
        m_decodes.remove(file);
    // Only the displays still waiting for this decode take it: one that moved on to another
    // picture (or to a newer decode of this one) holds another ticket by now.
    QMap<quint32, QImage> previews = m_previews;
    QSet<quint32> pending = m_pendingPreviews;
    QMap<quint32, PreviewProblem> problems = m_previewProblems;
    for (auto it = m_previewTickets.begin(); it != m_previewTickets.end();) {
        if (it.value() != ticket) {
            ++it;
            continue;
        }
        if (image.isNull()) {
            previews.remove(it.key());
            problems.insert(it.key(), decoded.problem.value_or(PreviewProblem::unreadable));
        } else {
            previews.insert(it.key(), image);
            problems.remove(it.key());
        }
        pending.remove(it.key());
        it = m_previewTickets.erase(it);
    }
    setPreviews(previews);
    setPreviewProblems(problems);
    setPendingPreviews(pending);
}

QImage WallpaperViewModel::decodePreview(const QString &path, QSize cover)
{
    return decodePreviewOrProblem(path, cover).image;
}

WallpaperViewModel::DecodedPreview WallpaperViewModel::decodePreviewOrProblem(const QString &path,
                                                                              QSize cover)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // Sizes as shown; the reader scales the picture as stored, before turning it.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    QSize natural = reader.size();
    if (turned)
        natural.transpose();
    QSize target;
    if (natural.isValid() && !cover.isEmpty()) {
        const QSize covering = natural.scaled(cover, Qt::KeepAspectRatioByExpanding);
        if (covering.width() < natural.width())
            target = covering;
    } else if (natural.isValid() && qMax(natural.width(), natural.height()) > previewMaxSide) {
        target = natural.scaled(previewMaxSide, previewMaxSide, Qt::KeepAspectRatio);
    }
    if (target.isValid())
        reader.setScaledSize(turned ? target.transposed() : target);
    QImage image = reader.read();
    if (image.isNull()) {
        // The reader refuses to allocate more than its limit for one decode. A format that decodes
        // smaller (JPEG) stays under it; one that cannot (PNG) is refused at 30000×30000, and a
        // preview is not worth the gigabytes that raising the limit would let it take.
        const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
        const bool tooLarge =
            limit > 0 && natural.isValid() && qint64(natural.width()) * natural.height() * 4 > limit;
        return {QImage(), tooLarge ? PreviewProblem::tooLarge : PreviewProblem::unreadable};
    }
    if (target.isValid() && image.width() > 0)
        image.setDevicePixelRatio(qreal(image.width()) / natural.width());
    return {image, std::nullopt};
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

void WallpaperViewModel::setPendingPreviews(const QSet<quint32> &pending)
{
    if (m_pendingPreviews == pending)
        return;
    m_pendingPreviews = pending;
    emit pendingPreviewsChanged();
}

void WallpaperViewModel::setPreviewProblems(const QMap<quint32, PreviewProblem> &problems)
{
    if (m_previewProblems == problems)
        return;
    m_previewProblems = problems;
    emit previewProblemsChanged();
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
