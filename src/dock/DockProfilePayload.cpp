#include "DockProfilePayload.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace velmora {

namespace {

Result<QJsonDocument> parsed(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return Result<QJsonDocument>::failure(
            QCoreApplication::translate("DockProfilePayload", "Not JSON: %1").arg(error.errorString()));
    return document;
}

Result<QList<DockAppEntry>> appsFrom(const QJsonArray &array)
{
    QList<DockAppEntry> apps;
    apps.reserve(array.size());
    for (const QJsonValue &value : array) {
        Result<DockAppEntry> entry = DockAppEntry::fromJson(value);
        if (!entry)
            return Result<QList<DockAppEntry>>::failure(entry.error());
        apps.append(std::move(entry).value());
    }
    return apps;
}

} // namespace

QByteArray DockProfilePayload::toJson() const
{
    QJsonArray appsArray;
    for (const DockAppEntry &app : apps)
        appsArray.append(app.toJson());
    QJsonArray othersArray;
    for (const DockOtherEntry &other : others)
        othersArray.append(other.toJson());
    const QJsonObject object{{QStringLiteral("apps"), appsArray}, {QStringLiteral("others"), othersArray}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

Result<DockProfilePayload> DockProfilePayload::fromJson(const QByteArray &json)
{
    using R = Result<DockProfilePayload>;
    const Result<QJsonDocument> document = parsed(json);
    if (!document)
        return R::failure(document.error());
    if (!document->isObject())
        return R::failure(
            QCoreApplication::translate("DockProfilePayload", "The Dock's contents are not a JSON object."));
    const QJsonObject object = document->object();
    const QJsonValue appsValue = object.value(QStringLiteral("apps"));
    const QJsonValue othersValue = object.value(QStringLiteral("others"));
    if (!appsValue.isArray() || !othersValue.isArray())
        return R::failure(QCoreApplication::translate(
            "DockProfilePayload", "The Dock's contents need the arrays \"apps\" and \"others\"."));

    Result<QList<DockAppEntry>> apps = appsFrom(appsValue.toArray());
    if (!apps)
        return R::failure(apps.error());
    DockProfilePayload payload;
    payload.apps = std::move(apps).value();
    for (const QJsonValue &value : othersValue.toArray()) {
        Result<DockOtherEntry> entry = DockOtherEntry::fromJson(value);
        if (!entry)
            return R::failure(entry.error());
        payload.others.append(std::move(entry).value());
    }
    return payload;
}

Result<QList<DockAppEntry>> DockProfilePayload::appsFromJsonArray(const QByteArray &json)
{
    const Result<QJsonDocument> document = parsed(json);
    if (!document)
        return Result<QList<DockAppEntry>>::failure(document.error());
    if (!document->isArray())
        return Result<QList<DockAppEntry>>::failure(
            QCoreApplication::translate("DockProfilePayload", "Not a JSON array of applications."));
    return appsFrom(document->array());
}

bool DockProfilePayload::sameTilesAs(const DockProfilePayload &other) const
{
    if (apps != other.apps || others.size() != other.others.size())
        return false;
    for (qsizetype i = 0; i < others.size(); ++i) {
        if (!others[i].sameTileAs(other.others[i]))
            return false;
    }
    return true;
}

} // namespace velmora
