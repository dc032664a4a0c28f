#include "DockTiles.h"

#include <QRandomGenerator>
#include <QStringDecoder>

namespace velmora {

namespace {

const QString kTileData = QStringLiteral("tile-data");
const QString kTileType = QStringLiteral("tile-type");
const QString kFileData = QStringLiteral("file-data");
const QString kFileLabel = QStringLiteral("file-label");
const QString kURLString = QStringLiteral("_CFURLString");

// Percent-decoding as the Foundation does it: a "%" not followed by two hex digits, or bytes that
// are no UTF-8, make the decoding fail.
std::optional<QString> percentDecodedStrictly(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray bytes;
    bytes.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '%') {
            bytes.append(utf8[i]);
            continue;
        }
        if (i + 2 >= utf8.size() || !std::isxdigit(static_cast<unsigned char>(utf8[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(utf8[i + 2])))
            return std::nullopt;
        bytes.append(static_cast<char>(QByteArray::fromHex(utf8.mid(i + 1, 2)).at(0)));
        i += 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return decoded;
}

std::optional<qint64> integerValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::LongLong)
        return value.toLongLong();
    if (value.typeId() == QMetaType::Int)
        return value.toInt();
    return std::nullopt;
}

// What the Dock's tiles hold as numbers: the kind of URL text in "file-data" (15: an absolute URL
// string, "file:///…"), and the kind of file a tile shows in "file-type".
constexpr qint64 kAbsoluteURLString = 15;
enum class TileFileType : qint64 { folder = 2, application = 41 };

QVariantMap fileData(const QUrl &url)
{
    return QVariantMap{{kURLString, tileURLText(url)},
                       {QStringLiteral("_CFURLStringType"), kAbsoluteURLString}};
}

QString tileTypeFor(DockItemType type)
{
    switch (type) {
    case DockItemType::spacer: return QStringLiteral("spacer-tile");
    case DockItemType::smallSpacer: return QStringLiteral("small-spacer-tile");
    case DockItemType::url: return QStringLiteral("url-tile");
    case DockItemType::folder:
    case DockItemType::app: return QStringLiteral("directory-tile");
    }
    Q_UNREACHABLE();
    return QString();
}

// Sets a key the format fixes when its condition holds, and drops one carried over from the
// source tile when it does not.
void setOrRemove(QVariantMap &map, const QString &key, bool condition, const QVariant &value)
{
    if (condition)
        map.insert(key, value);
    else
        map.remove(key);
}

} // namespace

QString tileURLText(const QUrl &url)
{
    if (!url.hasFragment())
        return url.toString(QUrl::FullyEncoded);
    // Everything but the delimiters encoded: a fragment's "#" is text there, and "%23" stays "%23".
    const QUrl::ComponentFormattingOptions fragmentForm =
        QUrl::EncodeSpaces | QUrl::EncodeUnicode | QUrl::EncodeReserved;
    return url.toString(QUrl::FullyEncoded | QUrl::RemoveFragment) + QLatin1Char('#') +
           url.fragment(fragmentForm);
}

std::optional<QUrl> urlFromText(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

std::optional<QUrl> tileURL(const QVariantMap &tileData)
{
    const QVariant fileDataValue = tileData.value(kFileData);
    if (fileDataValue.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap data = fileDataValue.toMap();
    if (data.isEmpty())
        return std::nullopt;
    const QVariant text = data.value(kURLString);
    if (text.typeId() != QMetaType::QString)
        return std::nullopt;
    if (std::optional<QUrl> url = urlFromText(text.toString()))
        return url;
    const QString decoded = percentDecodedStrictly(text.toString()).value_or(text.toString());
    return urlFromText(decoded);
}

QString lastPathComponent(const QUrl &url)
{
    QString path = url.path(QUrl::FullyDecoded);
    if (path.isEmpty())
        return QString();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path == QLatin1String("/"))
        return path;
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString labelFromURL(const QUrl &url)
{
    const QString name = lastPathComponent(url);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // A name that starts with its only dot (".config") has no extension to remove.
    if (dot <= 0 || dot == name.size() - 1)
        return name;
    return name.left(dot);
}

std::optional<DockAppEntry> parseAppTile(const QVariantMap &tile)
{
    const QVariant dataValue = tile.value(kTileData);
    if (tile.isEmpty() || dataValue.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap data = dataValue.toMap();
    if (data.isEmpty())
        return std::nullopt;
    const std::optional<QUrl> url = tileURL(data);
    if (!url)
        return std::nullopt;
    DockAppEntry entry;
    entry.url = *url;
    const QVariant label = data.value(kFileLabel);
    entry.label = label.typeId() == QMetaType::QString ? label.toString() : labelFromURL(*url);
    const QVariant identifier = data.value(QStringLiteral("bundle-identifier"));
    if (identifier.typeId() == QMetaType::QString)
        entry.bundleIdentifier = identifier.toString();
    entry.sourceTile = tile;
    return entry;
}

std::optional<DockOtherEntry> parseOtherTile(const QVariantMap &tile)
{
    const QVariant typeValue = tile.value(kTileType);
    const QString type = typeValue.typeId() == QMetaType::QString ? typeValue.toString() : QString();
    if (type == QLatin1String("spacer-tile") || type == QLatin1String("small-spacer-tile")) {
        DockOtherEntry entry = DockOtherEntry::spacer(type == QLatin1String("small-spacer-tile"));
        entry.sourceTile = tile;
        return entry;
    }
    const QVariant dataValue = tile.value(kTileData);
    if (dataValue.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap data = dataValue.toMap();

    const std::optional<QUrl> url = tileURL(data);
    const QVariant labelValue = data.value(kFileLabel);
    QString label;
    if (labelValue.typeId() == QMetaType::QString)
        label = labelValue.toString();
    else
        label = url ? labelFromURL(*url) : QStringLiteral("Unknown");
    const DockItemType itemType =
        type == QLatin1String("url-tile") ? DockItemType::url : DockItemType::folder;
    DockOtherEntry entry =
        DockOtherEntry::make(url, label, itemType, integerValue(data.value(QStringLiteral("displayas"))),
                             integerValue(data.value(QStringLiteral("arrangement"))));
    entry.sourceTile = tile;
    return entry;
}

QVariantMap makeAppTile(const DockAppEntry &entry)
{
    QVariantMap tile = entry.sourceTile;
    QVariantMap data = tile.value(kTileData).toMap();
    data.insert(QStringLiteral("dock-extra"), qint64(0));
    data.insert(kFileData, fileData(entry.url));
    data.insert(kFileLabel, entry.label);
    data.insert(QStringLiteral("file-type"), qint64(TileFileType::application));
    setOrRemove(data, QStringLiteral("bundle-identifier"),
                entry.bundleIdentifier && !entry.bundleIdentifier->isEmpty(),
                entry.bundleIdentifier.value_or(QString()));
    tile.insert(QStringLiteral("GUID"), newTileGUID());
    tile.insert(kTileType, QStringLiteral("file-tile"));
    tile.insert(kTileData, data);
    return tile;
}

QVariantMap makeOtherTile(const DockOtherEntry &entry)
{
    QVariantMap tile = entry.sourceTile;
    QVariantMap data = tile.value(kTileData).toMap();
    if (!entry.isSpacer()) {
        data.insert(kFileLabel, entry.label);
        setOrRemove(data, kFileData, entry.url.has_value(), entry.url ? fileData(*entry.url) : QVariantMap());
        setOrRemove(data, QStringLiteral("displayas"), entry.displayAs.has_value(),
                    entry.displayAs.value_or(0));
        setOrRemove(data, QStringLiteral("arrangement"), entry.arrangement.has_value(),
                    entry.arrangement.value_or(0));
        setOrRemove(data, QStringLiteral("file-type"), entry.itemType == DockItemType::folder,
                    qint64(TileFileType::folder));
    }
    tile.insert(QStringLiteral("GUID"), newTileGUID());
    tile.insert(kTileType, tileTypeFor(entry.itemType));
    tile.insert(kTileData, data);
    return tile;
}

qint64 newTileGUID()
{
    return QRandomGenerator::global()->bounded(Q_INT64_C(1000000000), Q_INT64_C(10000000000));
}

} // namespace velmora
