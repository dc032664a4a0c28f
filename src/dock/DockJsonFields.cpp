#include "DockJsonFields.h"

#include <QCoreApplication>
#include <QVariant>

#include <cmath>

namespace velmora::DockJsonFields {

Result<QString> requiredString(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return Result<QString>::failure(
            QCoreApplication::translate("DockJsonFields", "The key \"%1\" is missing.").arg(key));
    if (!value.isString())
        return Result<QString>::failure(
            QCoreApplication::translate("DockJsonFields", "The value of \"%1\" is not text.").arg(key));
    return value.toString();
}

Result<std::optional<QString>> optionalString(const QJsonObject &object, const QString &key)
{
    using R = Result<std::optional<QString>>;
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return R(std::optional<QString>());
    if (!value.isString())
        return R::failure(
            QCoreApplication::translate("DockJsonFields", "The value of \"%1\" is not text.").arg(key));
    return R(std::optional<QString>(value.toString()));
}

Result<std::optional<qint64>> optionalInteger(const QJsonObject &object, const QString &key)
{
    using R = Result<std::optional<qint64>>;
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return R(std::optional<qint64>());
    const QVariant number = value.toVariant();
    if (number.typeId() == QMetaType::LongLong)
        return R(std::optional<qint64>(number.toLongLong()));
    if (number.typeId() == QMetaType::Double) {
        const double d = number.toDouble();
        // Whole numbers written with a fraction part ("2.0") are still whole numbers.
        if (std::isfinite(d) && d == std::trunc(d) && std::abs(d) < 9.0e18)
            return R(std::optional<qint64>(static_cast<qint64>(d)));
    }
    return R::failure(
        QCoreApplication::translate("DockJsonFields", "The value of \"%1\" is not a whole number.").arg(key));
}

} // namespace velmora::DockJsonFields
