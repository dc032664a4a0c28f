#pragma once

#include "PreferenceKey.h"
#include "RestartTarget.h"
#include "TweakKind.h"
#include "TweakValue.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace velmora {

class TweakHandler;

/// One catalogue entry. A tweak with a handler is read, applied and reset through it and its
/// preference key (if any) is ignored; every other tweak has a preference key.
/// Tweaks are compared by `id`, never as a whole.
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
    /// Stateless and shared by every copy of the tweak.
    std::shared_ptr<const TweakHandler> handler;
};

} // namespace velmora
