#include "DockOtherEntry.h"

#include "DockJsonFields.h"
#include "DockTiles.h"

#include <QCoreApplication>
#include <QHashFunctions>

namespace velmora {

DockOtherEntry DockOtherEntry::make(std::optional<QUrl> url, QString label, DockItemType type,
                                    std::optional<qint64> displayAs, std::optional<qint64> arrangement)
{
    DockOtherEntry entry;
    entry.entryID = QUuid::createUuid();
    entry.url = std::move(url);
    entry.label = std::move(label);
    entry.itemType = type;
    entry.displayAs = displayAs;
    entry.arrangement = arrangement;
    return entry;
}

DockOtherEntry DockOtherEntry::spacer(bool small)
{
    return small ? make(std::nullopt, QStringLiteral("Small Spacer"), DockItemType::smallSpacer)
                 : make(std::nullopt, QStringLiteral("Spacer"), DockItemType::spacer);
}

QString DockOtherEntry::urlText() const
{
    return url ? tileURLText(*url) : QString();
}

QString DockOtherEntry::entryIDText() const
{
    return entryID.toString(QUuid::WithoutBraces).toUpper();
}

QJsonObject DockOtherEntry::toJson() const
{
    QJsonObject object{{QStringLiteral("entryID"), entryIDText()},
                       {QStringLiteral("label"), label},
                       {QStringLiteral("itemType"), rawValue(itemType)}};
    if (url)
        object.insert(QStringLiteral("url"), urlText());
    if (displayAs)
        object.insert(QStringLiteral("displayAs"), *displayAs);
    if (arrangement)
        object.insert(QStringLiteral("arrangement"), *arrangement);
    return object;
}

Result<DockOtherEntry> DockOtherEntry::fromJson(const QJsonValue &json)
{
    using namespace DockJsonFields;
    using R = Result<DockOtherEntry>;
    if (!json.isObject())
        return R::failure(
            QCoreApplication::translate("DockOtherEntry", "An entry of the others part is not an object."));
    const QJsonObject object = json.toObject();

    const Result<QString> idText = requiredString(object, QStringLiteral("entryID"));
    if (!idText)
        return R::failure(idText.error());
    const QUuid id = QUuid::fromString(*idText);
    if (id.isNull() && *idText != QUuid().toString(QUuid::WithoutBraces))
        return R::failure(QStringLiteral("\"%1\" is not a UUID.").arg(*idText));

    const Result<std::optional<QString>> urlText = optionalString(object, QStringLiteral("url"));
    if (!urlText)
        return R::failure(urlText.error());
    std::optional<QUrl> url;
    if (*urlText) {
        url = urlFromText(**urlText);
        if (!url)
            return R::failure(QStringLiteral("\"%1\" is not a valid URL.").arg(**urlText));
    }

    const Result<QString> label = requiredString(object, QStringLiteral("label"));
    if (!label)
        return R::failure(label.error());
    const Result<QString> typeText = requiredString(object, QStringLiteral("itemType"));
    if (!typeText)
        return R::failure(typeText.error());
    const std::optional<DockItemType> type = dockItemTypeFromRawValue(*typeText);
    if (!type)
        return R::failure(QStringLiteral("\"%1\" is not a kind of Dock tile.").arg(*typeText));

    const Result<std::optional<qint64>> displayAs = optionalInteger(object, QStringLiteral("displayAs"));
    if (!displayAs)
        return R::failure(displayAs.error());
    const Result<std::optional<qint64>> arrangement = optionalInteger(object, QStringLiteral("arrangement"));
    if (!arrangement)
        return R::failure(arrangement.error());

    DockOtherEntry entry;
    entry.entryID = id;
    entry.url = url;
    entry.label = *label;
    entry.itemType = *type;
    entry.displayAs = *displayAs;
    entry.arrangement = *arrangement;
    return entry;
}

bool DockOtherEntry::sameTileAs(const DockOtherEntry &other) const
{
    // By text, as DockAppEntry compares its URL.
    return url.has_value() == other.url.has_value() && urlText() == other.urlText() && label == other.label &&
           itemType == other.itemType && displayAs == other.displayAs && arrangement == other.arrangement;
}

size_t qHash(const DockOtherEntry &entry, size_t seed) noexcept
{
    return qHashMulti(seed, entry.entryID, entry.urlText(), entry.label, static_cast<int>(entry.itemType),
                      entry.displayAs.value_or(-1), entry.arrangement.value_or(-1));
}

} // namespace velmora
