#include "WallpaperTweakHandler.h"

#include "DesktopPictures.h"
#include "platform/Platform.h"

#include <QCoro/QCoroFuture>
#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {

// The background half of an apply: decode the text, then write an embedded picture out if needed.
Result<WallpaperConfig> decodeAndMaterialize(QByteArray text, FileLocations locations)
{
    Result<WallpaperConfig> decoded = WallpaperConfig::fromJson(text);
    text.clear(); // the picture's Base64 is held by the configuration now
    if (!decoded)
        return decoded;
    WallpaperConfig config = std::move(decoded).value();
    const Status written = materializeEmbeddedImage(config, locations);
    if (!written)
        return Result<WallpaperConfig>::failure(written.error());
    return config;
}

// Hands the JSON text of `config` with the whole file at `path` as its embedded picture to `sink`,
// a piece at a time, as long as the sink takes it; false when the file cannot be read or the sink
// stopped. `reserve` is told the whole text's length first. The picture is read and encoded a
// slice at a time, so neither the file nor its Base64 need be held whole here.
template <typename Reserve, typename Sink>
bool streamJsonEmbeddingFile(WallpaperConfig config, const QString &path, Reserve reserve, Sink sink)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    config.embeddedImageData.reset();
    QByteArray head = config.toJson();
    head.chop(1); // the closing brace; the picture goes last
    head.append(",\"embeddedImageData\":\"");
    static constexpr QByteArrayView kTail("\"}");
    reserve(head.size() + (file.size() + 2) / 3 * 4 + kTail.size());
    if (!sink(QByteArrayView(head)))
        return false;
    // Slices of a multiple of three bytes encode without padding, so they join into one text.
    constexpr qint64 slice = 3 * 256 * 1024;
    QByteArray pending;
    for (;;) {
        const QByteArray got = file.read(slice);
        if (file.error() != QFileDevice::NoError)
            return false;
        if (got.isEmpty())
            break;
        pending.append(got);
        const qsizetype whole = pending.size() - pending.size() % 3;
        if (!sink(QByteArrayView(QByteArray::fromRawData(pending.constData(), whole).toBase64())))
            return false;
        pending.remove(0, whole);
    }
    return sink(QByteArrayView(pending.toBase64())) && sink(kTail);
}

// The JSON text of `config` carrying the file at `path`, as UTF-8 reserved once: a 20 MB picture
// costs its 27 MB of Base64 at the peak, and nothing besides. None when the file cannot be read.
std::optional<QByteArray> jsonTextEmbeddingFile(WallpaperConfig config, const QString &path)
{
    QByteArray text;
    const bool read = streamJsonEmbeddingFile(
        std::move(config), path, [&text](qsizetype size) { text.reserve(size); },
        [&text](QByteArrayView piece) {
            text.append(piece);
            return true;
        });
    return read ? std::optional<QByteArray>(std::move(text)) : std::nullopt;
}

// Whether the JSON text of `config` carrying the file at `path` is `expected` to the byte, found
// without building it: each piece is compared as it comes.
bool jsonTextEmbeddingFileEquals(WallpaperConfig config, const QString &path, const QByteArray &expected)
{
    qsizetype at = 0;
    bool sized = true;
    const bool same = streamJsonEmbeddingFile(
        std::move(config), path, [&](qsizetype size) { sized = size == expected.size(); },
        [&](QByteArrayView piece) {
            if (!sized || at + piece.size() > expected.size() ||
                QByteArrayView(expected).sliced(at, piece.size()) != piece)
                return false;
            at += piece.size();
            return true;
        });
    return same && at == expected.size();
}

// The worker half of a read: the configuration's text, carrying its picture when it can be read.
Result<TweakValue> captureWithPicture(WallpaperConfig config, FileLocations locations)
{
    if (config.hasImagePath()) {
        // An unreadable picture still gives its path; it just travels without its bytes.
        if (std::optional<QByteArray> text =
                jsonTextEmbeddingFile(config, locations.expandTilde(*config.imagePath)))
            return TweakValue::ofUtf8(*std::move(text));
    }
    return TweakValue::ofUtf8(config.toJson());
}

// A read told the value it likely gives: that value itself when the picture on disk still gives it
// to the byte, so the two share one buffer; a fresh capture otherwise.
Result<TweakValue> captureLike(WallpaperConfig config, FileLocations locations, TweakValue likely)
{
    if (config.hasImagePath() && likely.holdsUtf8() &&
        jsonTextEmbeddingFileEquals(config, locations.expandTilde(*config.imagePath), likely.toUtf8()))
        return likely;
    return captureWithPicture(std::move(config), std::move(locations));
}

// Where the text of the top-level "embeddedImageData" member lies in a configuration's JSON (from
// just after its opening quote, and its length), when it holds no escape: Base64 never does. Found
// with a scan that knows strings and nesting, so the name inside another text or deeper down is
// passed over. None when the member is missing, not a string, escaped, or the text is not JSON.
std::optional<std::pair<qsizetype, qsizetype>> embeddedTextSpan(QByteArrayView json)
{
    static constexpr QByteArrayView kKey("embeddedImageData");
    int depth = 0;
    bool expectKey = false; // inside the top-level object, where a key may start
    qsizetype i = 0;
    const qsizetype n = json.size();
    while (i < n) {
        const char c = json[i];
        if (c == '"') {
            const qsizetype start = i + 1;
            bool escaped = false;
            qsizetype end = start;
            for (; end < n && json[end] != '"'; ++end) {
                if (json[end] == '\\') {
                    escaped = true;
                    ++end;
                }
            }
            if (end >= n)
                return std::nullopt;
            i = end + 1;
            if (depth != 1 || !expectKey)
                continue;
            expectKey = false;
            if (escaped || json.sliced(start, end - start) != kKey)
                continue;
            while (i < n && (json[i] == ' ' || json[i] == '\t' || json[i] == '\n' || json[i] == '\r'))
                ++i;
            if (i >= n || json[i] != ':')
                return std::nullopt;
            ++i;
            while (i < n && (json[i] == ' ' || json[i] == '\t' || json[i] == '\n' || json[i] == '\r'))
                ++i;
            if (i >= n || json[i] != '"')
                return std::nullopt;
            const qsizetype textStart = i + 1;
            const qsizetype quote = json.indexOf('"', textStart);
            if (quote < 0 || json.sliced(textStart, quote - textStart).contains('\\'))
                return std::nullopt;
            return std::make_pair(textStart, quote - textStart);
        }
        if (c == '{' || c == '[')
            ++depth;
        else if (c == '}' || c == ']')
            --depth;
        if (depth == 1 && (c == '{' || c == ','))
            expectKey = true;
        ++i;
    }
    return std::nullopt;
}

// A value's configuration without its picture's text, and where that text lies in `json`. The
// configuration is read from the text with the picture's emptied, so comparing two captures never
// widens tens of megabytes of Base64 into a JSON document.
struct Split {
    WallpaperConfig config;
    std::optional<std::pair<qsizetype, qsizetype>> picture;
};

std::optional<Split> splitOff(const QByteArray &json)
{
    Split split;
    split.picture = embeddedTextSpan(json);
    Result<WallpaperConfig> config =
        split.picture ? WallpaperConfig::fromJson(json.left(split.picture->first) +
                                                  json.mid(split.picture->first + split.picture->second))
                      : WallpaperConfig::fromJson(json);
    if (!config)
        return std::nullopt;
    split.config = std::move(config).value();
    return split;
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

QCoro::Task<Result<TweakValue>> WallpaperTweakHandler::currentValueLike(Platform &platform,
                                                                        TweakValue likely) const
{
    WallpaperConfig config;
    config.imagePath = mainScreenDesktopImageURL(platform.displays());
    config.scaling = Scaling::fill;
    config.allowClipping = true;
    QFuture<Result<TweakValue>> captured =
        QtConcurrent::run(&captureLike, std::move(config), platform.fileLocations(), std::move(likely));
    co_return co_await captured;
}

QCoro::Task<Status> WallpaperTweakHandler::apply(Platform &platform, TweakValue value) const
{
    if (!value.isString())
        co_return Status::success();
    const FileLocations locations = platform.fileLocations();
    QFuture<Result<WallpaperConfig>> future =
        QtConcurrent::run(decodeAndMaterialize, value.toUtf8(), locations);
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
    if (!a.isString() || !b.isString())
        return false;
    const QByteArray leftText = a.toUtf8();
    const QByteArray rightText = b.toUtf8();
    const std::optional<Split> left = splitOff(leftText);
    const std::optional<Split> right = splitOff(rightText);
    if (!left || !right)
        return false;
    if (left->config.scaling != right->config.scaling ||
        left->config.allowClipping != right->config.allowClipping)
        return false;
    // The picture's text as written: from the span when it was split off, else as the JSON read it.
    auto picture = [](const Split &split, const QByteArray &text) -> QByteArray {
        if (split.picture)
            return QByteArray::fromRawData(text.constData() + split.picture->first, split.picture->second);
        return split.config.embeddedImageData ? split.config.embeddedImageData->toUtf8() : QByteArray();
    };
    const QByteArray leftPicture = picture(*left, leftText);
    const QByteArray rightPicture = picture(*right, rightText);
    if (!leftPicture.isEmpty() && !rightPicture.isEmpty())
        return leftPicture == rightPicture;
    // At most one carries a picture: the same state only when the rest is the same too.
    return left->config.imagePath == right->config.imagePath && leftPicture.isEmpty() &&
           rightPicture.isEmpty() &&
           left->config.embeddedImageData.has_value() == right->config.embeddedImageData.has_value();
}

std::shared_ptr<const TweakHandler> makeWallpaperTweakHandler()
{
    return std::make_shared<WallpaperTweakHandler>();
}

} // namespace velmora
