#pragma once

#include "common/Result.h"

#include <QVariant>
#include <QVariantMap>

namespace velmora {

/// The options a desktop picture is set with, as the system's workspace takes and reports them:
/// the scaling key holding one of the platform's image-scaling codes, and the clipping key holding
/// a boolean. The native display service hands both directions through here.
namespace DesktopImageOptions {

/// Image-scaling codes: proportionally down, axes independently, none, proportionally up or down.
constexpr quint64 largestScalingCode = 3;
/// What the system assumes when a picture's options leave a key out.
constexpr quint64 defaultScalingCode = 3;
constexpr bool defaultAllowClipping = false;

/// The options checked and in the form handed to the system.
struct Checked {
    bool hasScaling = false;
    quint64 scaling = defaultScalingCode;
    bool hasAllowClipping = false;
    bool allowClipping = defaultAllowClipping;
};

/// Checks options given to `DisplayService::setDesktopImage`: only the scaling and clipping keys,
/// a scaling that is a whole number among the codes, a clipping flag that is a boolean. Anything
/// else is refused with a message naming the key, so a picture is never set with options the
/// caller did not mean.
Result<Checked> toSystem(const QVariantMap &options);

/// The options of a display's current picture from the values the system reported for the two
/// keys (each invalid when the key was missing): the scaling as an unsigned number, the clipping
/// flag as a boolean, a missing key as the system's default, a value of the wrong type left out.
QVariantMap fromSystem(const QVariant &scaling, const QVariant &allowClipping);

} // namespace DesktopImageOptions

} // namespace velmora
