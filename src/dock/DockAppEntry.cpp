#include "DockAppEntry.h"

#include "DockJsonFields.h"
#include "DockTiles.h"

#include <QCoreApplication>
#include <QHashFunctions>

namespace velmora {

QString DockAppEntry::urlText() const
{
    return tileURLText(url);
}

QJsonObject DockAppEntry::toJson() const
{
    QJsonObject object{{QStringLiteral("url"), urlText()}, {QStringLiteral("label"), label}};
    if (bundleIdentifier)
        object.insert(QStringLiteral("bundleIdentifier"), *bundleIdentifier);
    return object;
}

Result<DockAppEntry> DockAppEntry::fromJson(const QJsonValue &json)
{
    using namespace DockJsonFields;
    using R = Result<DockAppEntry>;
    if (!json.isObject())
        return R::failure(
            QCoreApplication::translate("DockAppEntry", "An application entry is not an object."));
    const QJsonObject object = json.toObject();
    const Result<QString> urlText = requiredString(object, QStringLiteral("url"));
    if (!urlText)
        return R::failure(urlText.error());
    const std::optional<QUrl> url = urlFromText(*urlText);
    if (!url)
        return R::failure(QStringLiteral("\"%1\" is not a valid URL.").arg(*urlText));
    const Result<QString> label = requiredString(object, QStringLiteral("label"));
    if (!label)
        return R::failure(label.error());
    const Result<std::optional<QString>> identifier =
        optionalString(object, QStringLiteral("bundleIdentifier"));
    if (!identifier)
        return R::failure(identifier.error());
    DockAppEntry entry;
    entry.url = *url;
    entry.label = *label;
    entry.bundleIdentifier = *identifier;
    return entry;
}

size_t qHash(const DockAppEntry &entry, size_t seed) noexcept
{
    return qHashMulti(seed, entry.urlText(), entry.label, entry.bundleIdentifier.value_or(QString()),
                      entry.bundleIdentifier.has_value());
}

} // namespace velmora
