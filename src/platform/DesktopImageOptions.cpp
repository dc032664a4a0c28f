#include "DesktopImageOptions.h"

#include "DisplayService.h"
#include "PlatformMessages.h"
#include "common/VariantKinds.h"

namespace velmora::DesktopImageOptions {

namespace {

// A scaling code from a number of any integer type; nothing for anything else, negative numbers
// and codes the system does not have.
std::optional<quint64> scalingCode(const QVariant &value)
{
    if (!isIntegerVariant(value))
        return std::nullopt;
    bool ok = false;
    const qlonglong asSigned = value.toLongLong(&ok);
    const bool isUnsigned = value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::ULong ||
                            value.typeId() == QMetaType::UInt || value.typeId() == QMetaType::UShort;
    const quint64 code = isUnsigned ? value.toULongLong() : quint64(asSigned);
    if ((!isUnsigned && (!ok || asSigned < 0)) || code > largestScalingCode)
        return std::nullopt;
    return code;
}

} // namespace

Result<Checked> toSystem(const QVariantMap &options)
{
    using R = Result<Checked>;
    Checked checked;
    for (auto it = options.cbegin(); it != options.cend(); ++it) {
        if (it.key() == DisplayService::scalingKey()) {
            const std::optional<quint64> code = scalingCode(it.value());
            if (!code)
                return R::failure(PlatformMessages::badDesktopImageOption(it.key(), it.value().toString()));
            checked.hasScaling = true;
            checked.scaling = *code;
        } else if (it.key() == DisplayService::allowClippingKey()) {
            if (it.value().typeId() != QMetaType::Bool)
                return R::failure(PlatformMessages::badDesktopImageOption(it.key(), it.value().toString()));
            checked.hasAllowClipping = true;
            checked.allowClipping = it.value().toBool();
        } else {
            return R::failure(PlatformMessages::unknownDesktopImageOption(it.key()));
        }
    }
    return checked;
}

QVariantMap fromSystem(const QVariant &scaling, const QVariant &allowClipping)
{
    QVariantMap options;
    if (!scaling.isValid()) {
        options.insert(DisplayService::scalingKey(), QVariant::fromValue(defaultScalingCode));
    } else if (const std::optional<quint64> code = scalingCode(scaling)) {
        options.insert(DisplayService::scalingKey(), QVariant::fromValue(*code));
    }
    // The system keeps the flag as a boolean number; a plain 0 or 1 means the same.
    if (!allowClipping.isValid())
        options.insert(DisplayService::allowClippingKey(), defaultAllowClipping);
    else if (allowClipping.typeId() == QMetaType::Bool)
        options.insert(DisplayService::allowClippingKey(), allowClipping.toBool());
    else if (isIntegerVariant(allowClipping) &&
             (allowClipping.toLongLong() == 0 || allowClipping.toLongLong() == 1))
        options.insert(DisplayService::allowClippingKey(), allowClipping.toLongLong() == 1);
    return options;
}

} // namespace velmora::DesktopImageOptions
