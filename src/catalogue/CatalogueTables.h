#pragma once

// The catalogue's constant data, one function per category, each giving that category's tweaks in
// the order of its page. Only the registry and the table files include this header.

#include "Tweak.h"
#include "TweakCategory.h"

#include <QList>

#include <initializer_list>
#include <optional>

namespace velmora::catalogue {

using RT = RestartTarget;

inline TweakValue B(bool v)
{
    return TweakValue::ofBool(v);
}
inline TweakValue I(qint64 v)
{
    return TweakValue::ofInt(v);
}
inline TweakValue D(double v)
{
    return TweakValue::ofDouble(v);
}
inline TweakValue S(const char *utf8)
{
    return TweakValue::ofString(QString::fromUtf8(utf8));
}

/// One table row; `nullptr` stands for an absent summary or warning.
struct Row {
    const char *id;
    const char *title;
    const char *summary;
    TweakKind kind;
    TweakValue defaultValue;
    std::optional<PreferenceKey> preferenceKey;
    QList<RestartTarget> restart;
    const char *warning;
};

QList<Tweak> makeTweaks(const char *categoryID, std::initializer_list<Row> rows);

/// The 27 categories in sidebar order.
QList<TweakCategory> categoryTable();

QList<Tweak> appearanceTweaks();
QList<Tweak> accessibilityTweaks();
QList<Tweak> soundTweaks();
QList<Tweak> dockTweaks();
QList<Tweak> dockappsTweaks();
QList<Tweak> wallpaperTweaks();
QList<Tweak> finderTweaks();
QList<Tweak> desktopTweaks();
QList<Tweak> missionControlTweaks();
QList<Tweak> screenshotTweaks();
QList<Tweak> keyboardTweaks();
QList<Tweak> mouseTweaks();
QList<Tweak> trackpadTweaks();
QList<Tweak> menubarTweaks();
QList<Tweak> lockScreenTweaks();
QList<Tweak> languageTweaks();
QList<Tweak> softwareUpdateTweaks();
QList<Tweak> sharingTweaks();
QList<Tweak> loginWindowTweaks();
QList<Tweak> safariTweaks();
QList<Tweak> messagesTweaks();
QList<Tweak> musicTweaks();
QList<Tweak> texteditTweaks();
QList<Tweak> timemachineTweaks();
QList<Tweak> xcodeTweaks();
QList<Tweak> activityMonitorTweaks();
QList<Tweak> generalTweaks();

} // namespace velmora::catalogue
