#pragma once

// The catalogue's constant data, one function per category, each giving that category's tweaks in
// the order of its page. Only the registry and the table files include this header.

#include "Tweak.h"
#include "TweakCategory.h"

#include <QList>

#include <initializer_list>
#include <optional>

namespace velmora::catalogue {

inline TweakValue boolean(bool v)
{
    return TweakValue::ofBool(v);
}
inline TweakValue integer(qint64 v)
{
    return TweakValue::ofInt(v);
}
inline TweakValue decimal(double v)
{
    return TweakValue::ofDouble(v);
}
inline TweakValue text(const char *utf8)
{
    return TweakValue::ofString(QString::fromUtf8(utf8));
}

/// One table row, written with designated initialisers; what a row leaves out is absent (no
/// summary, no key, nothing to restart, no warning).
struct Row {
    const char *id = nullptr;
    const char *title = nullptr;
    const char *summary = nullptr;
    TweakKind kind = TweakKind::toggle();
    TweakValue defaultValue{};
    std::optional<PreferenceKey> preferenceKey{};
    QList<RestartTarget> restart{};
    const char *warning = nullptr;
    bool servedByHandler = false;
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
