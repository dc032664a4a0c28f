#include "WallpaperConfig.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace velmora {

namespace {

// A JSON string literal for any text, escaped by the JSON library.
QByteArray quoted(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

bool isBase64Text(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
                        u == '+' || u == '/' || u == '=';
        if (!ok)
            return false;
    }
    return true;
}

// An optional text member: missing or null is absent, a string is present, anything else is an error.
Result<std::optional<QString>> optionalText(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::optional<QString>();
    if (!value.isString())
        return Result<std::optional<QString>>::failure(
            QCoreApplication::translate("WallpaperConfig",
                                        "The wallpaper settings are not readable: \"%1\" is not a text.")
                .arg(key));
    return std::optional<QString>(value.toString());
}

} // namespace

QByteArray WallpaperConfig::toJson() const
{
    // Written by hand rather than through a JSON document: the embedded picture can be tens of
    // megabytes, and Base64 needs no escaping, so it is copied once instead of three times.
    QByteArray out;
    const qsizetype embeddedSize = embeddedImageData ? embeddedImageData->size() : 0;
    out.reserve(embeddedSize + (imagePath ? imagePath->size() * 3 : 0) + 128);
    out.append('{');
    if (imagePath)
        out.append("\"imagePath\":").append(quoted(*imagePath)).append(',');
    out.append("\"scaling\":").append(quoted(rawValue(scaling)));
    out.append(",\"allowClipping\":").append(allowClipping ? "true" : "false");
    if (embeddedImageData) {
        out.append(",\"embeddedImageData\":");
        if (isBase64Text(*embeddedImageData))
            out.append('"').append(embeddedImageData->toLatin1()).append('"');
        else
            out.append(quoted(*embeddedImageData));
    }
    out.append('}');
    return out;
}

Result<WallpaperConfig> WallpaperConfig::fromJson(const QByteArray &json)
{
    using R = Result<WallpaperConfig>;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        return R::failure(
            QCoreApplication::translate("WallpaperConfig",
                                        "The wallpaper settings are not readable JSON: %1 (at offset %2).")
                .arg(error.errorString())
                .arg(error.offset));
    if (!document.isObject())
        return R::failure(QCoreApplication::translate(
            "WallpaperConfig", "The wallpaper settings are not readable: they are not a JSON object."));
    const QJsonObject object = document.object();

    const QJsonValue scalingValue = object.value(QStringLiteral("scaling"));
    if (scalingValue.isUndefined())
        return R::failure(QCoreApplication::translate(
            "WallpaperConfig", "The wallpaper settings are not readable: \"scaling\" is missing."));
    if (!scalingValue.isString())
        return R::failure(QCoreApplication::translate(
            "WallpaperConfig", "The wallpaper settings are not readable: \"scaling\" is not a text."));
    const std::optional<Scaling> scaling = scalingFromRawValue(scalingValue.toString());
    if (!scaling)
        return R::failure(QCoreApplication::translate(
                              "WallpaperConfig",
                              "The wallpaper settings are not readable: \"%1\" is not a scaling mode "
                              "(fill, fit, stretch or center).")
                              .arg(scalingValue.toString()));

    const QJsonValue clipping = object.value(QStringLiteral("allowClipping"));
    if (clipping.isUndefined())
        return R::failure(QCoreApplication::translate(
            "WallpaperConfig", "The wallpaper settings are not readable: \"allowClipping\" is missing."));
    if (!clipping.isBool())
        return R::failure(QCoreApplication::translate(
            "WallpaperConfig",
            "The wallpaper settings are not readable: \"allowClipping\" is not true or false."));

    const Result<std::optional<QString>> path = optionalText(object, QStringLiteral("imagePath"));
    if (!path)
        return R::failure(path.error());
    const Result<std::optional<QString>> embedded = optionalText(object, QStringLiteral("embeddedImageData"));
    if (!embedded)
        return R::failure(embedded.error());

    WallpaperConfig config;
    config.imagePath = *path;
    config.scaling = *scaling;
    config.allowClipping = clipping.toBool();
    config.embeddedImageData = *embedded;
    return config;
}

} // namespace velmora
