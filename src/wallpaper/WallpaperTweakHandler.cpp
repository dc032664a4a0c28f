#include "WallpaperTweakHandler.h"

#include "DesktopPictures.h"
#include "platform/Platform.h"

#include <QCoro/QCoroFuture>
#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {

// The background half of an apply: decode the text, then write an embedded picture out if needed.
Result<WallpaperConfig> decodeAndMaterialize(QString text, FileLocations locations)
{
    Result<WallpaperConfig> decoded = WallpaperConfig::fromJson(text.toUtf8());
    if (!decoded)
        return decoded;
    WallpaperConfig config = std::move(decoded).value();
    const Status written = materializeEmbeddedImage(config, locations);
    if (!written)
        return Result<WallpaperConfig>::failure(written.error());
    return config;
}

// The JSON text of `config` with the whole file at `path` as its embedded picture; none when the
// file cannot be read. The file is encoded a slice at a time straight into the text: a 20 MB picture
// then costs the text alone at the peak, not the file, its Base64 and two conversions as well.
std::optional<QString> jsonTextEmbeddingFile(WallpaperConfig config, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    config.embeddedImageData.reset();
    QByteArray head = config.toJson();
    head.chop(1); // the closing brace; the picture goes last
    QString text;
    text.reserve(head.size() + (file.size() + 2) / 3 * 4 + 32);
    text.append(QString::fromUtf8(head));
    text.append(QLatin1String(",\"embeddedImageData\":\""));
    // Slices of a multiple of three bytes encode without padding, so they join into one text.
    constexpr qint64 slice = 3 * 256 * 1024;
    QByteArray pending;
    for (;;) {
        const QByteArray got = file.read(slice);
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        if (got.isEmpty())
            break;
        pending.append(got);
        const qsizetype whole = pending.size() - pending.size() % 3;
        text.append(QLatin1String(QByteArray::fromRawData(pending.constData(), whole).toBase64()));
        pending.remove(0, whole);
    }
    text.append(QLatin1String(pending.toBase64()));
    text.append(QLatin1String("\"}"));
    return text;
}

// The worker half of a read: the configuration's text, carrying its picture when it can be read.
Result<TweakValue> captureWithPicture(WallpaperConfig config, FileLocations locations)
{
    if (config.hasImagePath()) {
        // An unreadable picture still gives its path; it just travels without its bytes.
        if (std::optional<QString> text =
                jsonTextEmbeddingFile(config, locations.expandTilde(*config.imagePath)))
            return TweakValue::ofString(*std::move(text));
    }
    return TweakValue::ofString(QString::fromUtf8(config.toJson()));
}

std::optional<WallpaperConfig> parsed(const TweakValue &value)
{
    if (!value.isString())
        return std::nullopt;
    Result<WallpaperConfig> config = WallpaperConfig::fromJson(value.toString().toUtf8());
    return config ? std::optional<WallpaperConfig>(std::move(config).value()) : std::nullopt;
}

} // namespace

QCoro::Task<Result<TweakValue>> WallpaperTweakHandler::currentValue(Platform &platform) const
{
    // The displays answer on the UI thread; the picture, many megabytes, is read on a worker.
    WallpaperConfig config;
    config.imagePath = mainScreenDesktopImageURL(platform.displays());
    config.scaling = Scaling::fill;
    config.allowClipping = true;
    QFuture<Result<TweakValue>> captured =
        QtConcurrent::run(&captureWithPicture, std::move(config), platform.fileLocations());
    co_return co_await captured;
}

QCoro::Task<Status> WallpaperTweakHandler::apply(Platform &platform, TweakValue value) const
{
    if (!value.isString())
        co_return Status::success();
    const FileLocations locations = platform.fileLocations();
    QFuture<Result<WallpaperConfig>> future =
        QtConcurrent::run(decodeAndMaterialize, value.toString(), locations);
    const Result<WallpaperConfig> config = co_await future;
    if (!config)
        co_return Status::failure(config.error());
    // Back on the UI thread: the displays are set there.
    const WallpaperStatus applied =
        applyWallpaper(platform, config->imagePath, config->scaling, config->allowClipping);
    if (!applied)
        co_return Status::failure(applied.error().description());
    co_return Status::success();
}

QCoro::Task<Status> WallpaperTweakHandler::reset(Platform &platform) const
{
    Q_UNUSED(platform);
    co_return Status::success();
}

bool WallpaperTweakHandler::valuesEquivalent(const TweakValue &a, const TweakValue &b) const
{
    if (a == b)
        return true;
    const std::optional<WallpaperConfig> left = parsed(a);
    const std::optional<WallpaperConfig> right = parsed(b);
    if (!left || !right)
        return false;
    if (left->scaling != right->scaling || left->allowClipping != right->allowClipping)
        return false;
    const bool leftCarries = left->embeddedImageData && !left->embeddedImageData->isEmpty();
    const bool rightCarries = right->embeddedImageData && !right->embeddedImageData->isEmpty();
    if (leftCarries && rightCarries)
        return *left->embeddedImageData == *right->embeddedImageData;
    return *left == *right;
}

std::shared_ptr<const TweakHandler> makeWallpaperTweakHandler()
{
    return std::make_shared<WallpaperTweakHandler>();
}

} // namespace velmora
