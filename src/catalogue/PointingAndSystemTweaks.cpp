// The constant tweaks of pointing devices, menu bar, lock screen, language and software update.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

using namespace Qt::StringLiterals;

QList<Tweak> mouseTweaks()
{
    return makeTweaks(
        "mouse",
        {
            {
                .id = "mouse.terminal-focus-follows",
                .title = "Terminal focus follows mouse",
                .summary =
                    "Auto-focus Terminal windows when the pointer enters them. (Quit and reopen Terminal.)",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.Terminal"_s, u"FocusFollowsMouse"_s, TweakValueType::bool_},
            },
            {
                .id = "mouse.linear",
                .title = "Disable mouse acceleration",
                .summary = "When on, cursor moves linearly with the mouse instead of accelerating.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"com.apple.mouse.linear"_s, TweakValueType::bool_},
            },
            {
                .id = "mouse.scaling",
                .title = "Mouse cursor speed",
                .summary = "Higher is faster. The Settings UI maps roughly to 0.0–3.0.",
                .kind = TweakKind::decimal(-1.0, 3.0, 0.0625),
                .defaultValue = decimal(1.0),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"com.apple.mouse.scaling"_s, TweakValueType::double_},
                .warning = "Sign out and back in for the change to take effect.",
            },
        });
}

QList<Tweak> trackpadTweaks()
{
    return makeTweaks(
        "trackpad",
        {
            {
                .id = "trackpad.dragging",
                .title = "Tap-and-drag without drag lock",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.AppleMultitouchTrackpad"_s, u"Dragging"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "trackpad.drag-lock",
                .title = "Tap-and-drag with drag lock",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.AppleMultitouchTrackpad"_s, u"DragLock"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "trackpad.first-click-threshold",
                .title = "Click pressure",
                .kind = TweakKind::picker(
                    {{integer(0), u"Light"_s}, {integer(1), u"Medium"_s}, {integer(2), u"Firm"_s}}),
                .defaultValue = integer(1),
                .preferenceKey = PreferenceKey{u"com.apple.AppleMultitouchTrackpad"_s,
                                               u"FirstClickThreshold"_s, TweakValueType::int_},
            },
            {
                .id = "trackpad.three-finger-drag",
                .title = "Three-finger drag",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.AppleMultitouchTrackpad"_s,
                                               u"TrackpadThreeFingerDrag"_s, TweakValueType::bool_},
            },
            {
                .id = "trackpad.natural-scrolling",
                .title = "Natural scrolling direction",
                .summary = "Content moves with your finger direction.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"com.apple.swipescrolldirection"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "trackpad.tap-to-click",
                .title = "Tap to click",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.AppleMultitouchTrackpad"_s, u"Clicking"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "trackpad.tracking-speed",
                .title = "Tracking speed",
                .summary = "0.0 (slowest) to 3.0 (fastest).",
                .kind = TweakKind::decimal(0.0, 3.0, 0.125),
                .defaultValue = decimal(1.0),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"com.apple.trackpad.scaling"_s,
                                               TweakValueType::double_},
            },
            {
                .id = "trackpad.force-click",
                .title = "Force Click and haptic feedback",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.AppleMultitouchTrackpad"_s, u"ForceSuppressed"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "trackpad.two-finger-secondary-click",
                .title = "Two-finger secondary click (right click)",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.AppleMultitouchTrackpad"_s,
                                               u"TrackpadRightClick"_s, TweakValueType::bool_},
            },
        });
}

QList<Tweak> menubarTweaks()
{
    return makeTweaks(
        "menubar",
        {
            {
                .id = "menubar.flash-on-alert",
                .title = "Flash menu bar on alert",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"NSUseAlertsForCriticalAlerts"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "menubar.show-battery-percent",
                .title = "Show battery percentage",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.controlcenter"_s, u"BatteryShowPercentage"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::controlCenter},
            },
            {
                .id = "menubar.show-bluetooth",
                .title = "Show Bluetooth icon",
                .kind = TweakKind::picker({{integer(2), u"Don't show"_s},
                                           {integer(18), u"Show in menu bar"_s},
                                           {integer(24), u"Show in Control Center only"_s}}),
                .defaultValue = integer(2),
                .preferenceKey =
                    PreferenceKey{u"com.apple.controlcenter"_s, u"Bluetooth"_s, TweakValueType::int_},
                .restart = {RestartTarget::controlCenter},
            },
            {
                .id = "menubar.clock-date-format",
                .title = "Menu bar clock format",
                .summary = "Standard formatter tokens, e.g. EEE d MMM HH:mm:ss",
                .kind = TweakKind::text(),
                .defaultValue = text("EEE d MMM HH:mm:ss"),
                .preferenceKey =
                    PreferenceKey{u"com.apple.menuextra.clock"_s, u"DateFormat"_s, TweakValueType::string},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "menubar.clock-flash-separators",
                .title = "Flash clock time separators each second",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.menuextra.clock"_s, u"FlashDateSeparators"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
        });
}

QList<Tweak> lockScreenTweaks()
{
    return makeTweaks(
        "lock-screen",
        {
            {
                .id = "lock-screen.ask-for-password",
                .title = "Require password after sleep or screen saver",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screensaver"_s, u"askForPassword"_s, TweakValueType::bool_},
            },
            {
                .id = "lock-screen.ask-for-password-delay",
                .title = "Password grace period (seconds)",
                .summary = "Seconds after sleep before the password is required. 0 = immediately.",
                .kind = TweakKind::integer(0, 300, 1),
                .defaultValue = integer(5),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screensaver"_s, u"askForPasswordDelay"_s, TweakValueType::int_},
            },
            {
                .id = "lock-screen.idle-time",
                .title = "Start screen saver after (seconds)",
                .summary = "0 to disable screen saver.",
                .kind = TweakKind::integer(0, 3600, 60),
                .defaultValue = integer(1200),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screensaver"_s, u"idleTime"_s, TweakValueType::int_},
            },
            {
                .id = "lock-screen.show-clock",
                .title = "Show clock on screen saver",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screensaver"_s, u"showClock"_s, TweakValueType::bool_},
            },
        });
}

QList<Tweak> languageTweaks()
{
    return makeTweaks(
        "language",
        {
            {
                .id = "language.measurement-units",
                .title = "Measurement system",
                .kind = TweakKind::picker({{text("Centimeters"), u"Metric"_s},
                                           {text("Inches"), u"US"_s},
                                           {text("Picas"), u"UK"_s}}),
                .defaultValue = text("Centimeters"),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleMeasurementUnits"_s, TweakValueType::string},
            },
            {
                .id = "language.metric-system",
                .title = "Use metric system",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleMetricUnits"_s, TweakValueType::bool_},
            },
            {
                .id = "language.temperature-unit",
                .title = "Temperature unit",
                .kind = TweakKind::picker(
                    {{text("Celsius"), u"Celsius"_s}, {text("Fahrenheit"), u"Fahrenheit"_s}}),
                .defaultValue = text("Celsius"),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleTemperatureUnit"_s, TweakValueType::string},
            },
            {
                .id = "language.force-24-hour-time",
                .title = "Use 24-hour time",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleICUForce24HourTime"_s, TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "language.first-weekday",
                .title = "First day of the week",
                .kind = TweakKind::picker({{integer(1), u"Sunday"_s},
                                           {integer(2), u"Monday"_s},
                                           {integer(3), u"Tuesday"_s},
                                           {integer(4), u"Wednesday"_s},
                                           {integer(5), u"Thursday"_s},
                                           {integer(6), u"Friday"_s},
                                           {integer(7), u"Saturday"_s}}),
                .defaultValue = integer(1),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"AppleFirstWeekday"_s,
                                               TweakValueType::int_, u"gregorian"_s},
            },
        });
}

QList<Tweak> softwareUpdateTweaks()
{
    return makeTweaks(
        "software-update",
        {
            {
                .id = "software-update.auto-check",
                .title = "Automatically check for updates",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.SoftwareUpdate"_s, u"AutomaticCheckEnabled"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "software-update.auto-download",
                .title = "Download new updates when available",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.SoftwareUpdate"_s, u"AutomaticDownload"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "software-update.critical-update-install",
                .title = "Install critical security updates automatically",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.SoftwareUpdate"_s, u"CriticalUpdateInstall"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "software-update.auto-update",
                .title = "Install macOS updates automatically",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.SoftwareUpdate"_s,
                                               u"AutomaticallyInstallMacOSUpdates"_s, TweakValueType::bool_},
            },
            {
                .id = "software-update.app-auto-update",
                .title = "Automatically update App Store apps",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.commerce"_s, u"AutoUpdate"_s, TweakValueType::bool_},
            },
        });
}

} // namespace velmora::catalogue
