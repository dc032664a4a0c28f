#pragma once

#include "PreferenceKey.h"
#include "RestartTarget.h"
#include "TweakKind.h"
#include "TweakValue.h"

#include <QList>
#include <QString>

#include <optional>

namespace velmora {

/// One catalogue entry: data only. A tweak served by a handler (the Dock's contents, the desktop
/// pictures) is read, applied and reset through the handler the program binds to its id when it is
/// put together; every other tweak has a preference key. Tweaks are compared by `id`, never as a whole.
struct Tweak {
    QString id;
    QString title;
    std::optional<QString> summary;
    QString categoryID;
    TweakKind kind;
    TweakValue defaultValue;
    std::optional<PreferenceKey> preferenceKey;
    QList<RestartTarget> restart;
    std::optional<QString> warning;
    /// Whether a handler serves this tweak instead of a preference.
    bool servedByHandler = false;
};

} // namespace velmora
