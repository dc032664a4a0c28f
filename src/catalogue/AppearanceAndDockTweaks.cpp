// The constant tweaks of appearance, accessibility, sound, the Dock, its contents and the wallpaper.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

using namespace Qt::StringLiterals;

QList<Tweak> appearanceTweaks()
{
    return makeTweaks(
        "appearance",
        {
            {
                .id = "appearance.interface-style",
                .title = "Appearance mode",
                .summary = "Dark mode applies a dark color scheme system-wide.",
                .kind = TweakKind::picker({{text("Light"), u"Light"_s}, {text("Dark"), u"Dark"_s}}),
                .defaultValue = text("Light"),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleInterfaceStyle"_s, TweakValueType::string},
            },
            {
                .id = "appearance.auto-switch",
                .title = "Auto switch between Light and Dark",
                .summary = "Appearance changes automatically based on time of day.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleInterfaceStyleSwitchesAutomatically"_s,
                                  TweakValueType::bool_},
            },
            {
                .id = "appearance.accent-color",
                .title = "Accent color",
                .kind = TweakKind::picker({{integer(-1), u"Multicolor"_s},
                                           {integer(0), u"Red"_s},
                                           {integer(1), u"Orange"_s},
                                           {integer(2), u"Yellow"_s},
                                           {integer(3), u"Green"_s},
                                           {integer(4), u"Blue"_s},
                                           {integer(5), u"Purple"_s},
                                           {integer(6), u"Pink"_s},
                                           {integer(8), u"Graphite"_s}}),
                .defaultValue = integer(-1),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleAccentColor"_s, TweakValueType::int_},
            },
            {
                .id = "appearance.highlight-color",
                .title = "Highlight color",
                .summary = "The color used for text selection and other highlights.",
                .kind = TweakKind::picker({{text(""), u"Accent Color (default)"_s},
                                           {text("0.968627 0.831373 1.000000 Purple"), u"Purple"_s},
                                           {text("1.000000 0.749020 0.823529 Pink"), u"Pink"_s},
                                           {text("1.000000 0.733333 0.721569 Red"), u"Red"_s},
                                           {text("1.000000 0.874510 0.701961 Orange"), u"Orange"_s},
                                           {text("1.000000 1.000000 0.749020 Yellow"), u"Yellow"_s},
                                           {text("0.752941 0.964706 0.678431 Green"), u"Green"_s},
                                           {text("0.698039 0.843137 1.000000 Blue"), u"Blue"_s}}),
                .defaultValue = text(""),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleHighlightColor"_s, TweakValueType::string},
            },
            {
                .id = "appearance.scrollbar-visibility",
                .title = "Show scroll bars",
                .kind = TweakKind::picker({{text("Automatic"), u"Automatically based on mouse/trackpad"_s},
                                           {text("WhenScrolling"), u"When scrolling"_s},
                                           {text("Always"), u"Always"_s}}),
                .defaultValue = text("Automatic"),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleShowScrollBars"_s, TweakValueType::string},
            },
            {
                .id = "appearance.scroll-to-click-spot",
                .title = "Click in scroll bar to",
                .summary = "Off: scroll one page. On: jump to the clicked spot.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"AppleScrollerPagingBehavior"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "appearance.reduce-desktop-tinting",
                .title = "Reduce desktop tinting in windows",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleReduceDesktopTinting"_s, TweakValueType::bool_},
            },
            {
                .id = "appearance.smooth-scrolling",
                .title = "Use smooth scrolling",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"NSScrollAnimationEnabled"_s, TweakValueType::bool_},
            },
        });
}

QList<Tweak> accessibilityTweaks()
{
    return makeTweaks(
        "accessibility",
        {
            {
                .id = "accessibility.reduce-motion",
                .title = "Reduce motion",
                .summary = "Minimizes animations system-wide (e.g. opening/closing windows).",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.universalaccess"_s, u"reduceMotion"_s, TweakValueType::bool_},
            },
            {
                .id = "accessibility.reduce-transparency",
                .title = "Reduce transparency",
                .summary = "Makes surfaces opaque instead of translucent.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.universalaccess"_s, u"reduceTransparency"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "accessibility.increase-contrast",
                .title = "Increase contrast",
                .summary = "Makes borders and separators more visible.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.universalaccess"_s, u"increaseContrast"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "accessibility.differentiate-without-color",
                .title = "Differentiate without color",
                .summary = "Adds shapes or labels where color alone conveys information.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.universalaccess"_s, u"differentiateWithoutColor"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "accessibility.cursor-size",
                .title = "Cursor size",
                .summary = "1.0 is normal, up to 4.0.",
                .kind = TweakKind::decimal(1.0, 4.0, 0.25),
                .defaultValue = decimal(1.0),
                .preferenceKey = PreferenceKey{u"com.apple.universalaccess"_s, u"mouseDriverCursorSize"_s,
                                               TweakValueType::double_},
            },
            {
                .id = "accessibility.shake-to-locate-cursor",
                .title = "Shake mouse pointer to locate",
                .summary = "Wiggling the mouse makes the cursor temporarily grow.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.universalaccess"_s, u"ShakeToLocate"_s, TweakValueType::bool_},
            },
            {
                .id = "accessibility.voiceover-enabled",
                .title = "VoiceOver",
                .summary = "Enables the screen reader. Toggle with Cmd+F5.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.universalaccess"_s, u"voiceOverOnOffKey"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "accessibility.flash-screen",
                .title = "Flash screen on alert sound",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.universalaccess"_s, u"flashScreen"_s, TweakValueType::bool_},
            },
            {
                .id = "accessibility.invert-colors",
                .title = "Invert colors (Classic)",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.universalaccess"_s, u"whiteOnBlack"_s, TweakValueType::bool_},
            },
        });
}

QList<Tweak> soundTweaks()
{
    return makeTweaks(
        "sound",
        {
            {
                .id = "sound.ui-effects",
                .title = "Play user interface sound effects",
                .summary = "Feedback sounds when trashing files, etc.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.systemsound"_s,
                                               u"com.apple.sound.uiaudio.enabled"_s, TweakValueType::bool_},
            },
            {
                .id = "sound.feedback-on-volume-change",
                .title = "Play feedback when volume is changed",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"com.apple.sound.beep.feedback"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "sound.alert-volume",
                .title = "Alert volume",
                .summary = "0.0 (silent) to 1.0 (full).",
                .kind = TweakKind::decimal(0.0, 1.0, 0.1),
                .defaultValue = decimal(0.5),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"com.apple.sound.beep.volume"_s,
                                               TweakValueType::double_},
            },
            {
                .id = "sound.startup-chime",
                .title = "Play startup sound",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.PowerChime"_s, u"ChimeOnAllHardware"_s, TweakValueType::bool_},
            },
        });
}

QList<Tweak> dockTweaks()
{
    return makeTweaks(
        "dock",
        {
            {
                .id = "dock.autohide",
                .title = "Automatically hide the Dock",
                .summary = "Hides the Dock until you move the pointer to its edge.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"autohide"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.autohide-delay",
                .title = "Autohide reveal delay",
                .summary = "Seconds to wait before the hidden Dock starts to reappear. Set this and the "
                           "animation duration "
                           "to 0 for instant flash-on/off.",
                .kind = TweakKind::decimal(0.0, 2.0, 0.05),
                .defaultValue = decimal(0.5),
                .preferenceKey =
                    PreferenceKey{u"com.apple.dock"_s, u"autohide-delay"_s, TweakValueType::double_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.autohide-time-modifier",
                .title = "Autohide animation duration",
                .summary =
                    "Multiplier for the slide animation. Lower is faster; 0 disables the animation entirely.",
                .kind = TweakKind::decimal(0.0, 2.0, 0.05),
                .defaultValue = decimal(1.0),
                .preferenceKey =
                    PreferenceKey{u"com.apple.dock"_s, u"autohide-time-modifier"_s, TweakValueType::double_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.tilesize",
                .title = "Icon size",
                .summary = "Resting icon size in points.",
                .kind = TweakKind::integer(16, 128, 1),
                .defaultValue = integer(48),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"tilesize"_s, TweakValueType::int_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.magnification",
                .title = "Magnify icons on hover",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.dock"_s, u"magnification"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.largesize",
                .title = "Magnified icon size",
                .kind = TweakKind::integer(16, 256, 1),
                .defaultValue = integer(64),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"largesize"_s, TweakValueType::int_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.orientation",
                .title = "Dock position",
                .kind = TweakKind::picker(
                    {{text("bottom"), u"Bottom"_s}, {text("left"), u"Left"_s}, {text("right"), u"Right"_s}}),
                .defaultValue = text("bottom"),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"orientation"_s, TweakValueType::string},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.mineffect",
                .title = "Minimize effect",
                .kind = TweakKind::picker({{text("genie"), u"Genie"_s},
                                           {text("scale"), u"Scale"_s},
                                           {text("suck"), u"Suck (hidden)"_s}}),
                .defaultValue = text("genie"),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"mineffect"_s, TweakValueType::string},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.minimize-to-application",
                .title = "Minimize windows into application icon",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.dock"_s, u"minimize-to-application"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.show-recents",
                .title = "Show recent applications in the Dock",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"show-recents"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.launchanim",
                .title = "Animate opening applications",
                .summary = "The bouncing icon when launching an app.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"launchanim"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.static-only",
                .title = "Show only active applications",
                .summary = "Hides icons for apps that aren't currently running.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"static-only"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.scroll-to-open",
                .title = "Scroll up on Dock icon to open Exposé",
                .summary = "Scrolling up on a Dock app icon shows all of its windows.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.dock"_s, u"scroll-to-open"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "dock.spring-load-all-items",
                .title = "Spring-load all Dock items",
                .summary = "Lets you drag a file over any Dock icon to open the app after a hover delay.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.dock"_s, u"enable-spring-load-actions-on-all-items"_s,
                                  TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
        });
}

// The Dock's contents and the desktop pictures are whole states, not single preferences: each is
// served by a handler bound to its id when the program is put together.
QList<Tweak> dockappsTweaks()
{
    return makeTweaks("dockapps", {
                                      {
                                          .id = "dock.apps",
                                          .title = "Dock Apps",
                                          .summary = "Apps, folders, and spacers pinned in the Dock.",
                                          .kind = TweakKind::text(),
                                          .defaultValue = text("{}"),
                                          .restart = {RestartTarget::dock},
                                          .servedByHandler = true,
                                      },
                                  });
}

QList<Tweak> wallpaperTweaks()
{
    return makeTweaks("wallpaper",
                      {
                          {
                              .id = "wallpaper.config",
                              .title = "Desktop Wallpaper",
                              .summary = "Image, scaling, and per-display targeting saved with your profile.",
                              .kind = TweakKind::text(),
                              .defaultValue = text("{}"),
                              .servedByHandler = true,
                          },
                      });
}

} // namespace velmora::catalogue
