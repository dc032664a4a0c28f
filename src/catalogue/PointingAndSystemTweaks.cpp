// The constant tweaks of pointing devices, menu bar, lock screen, language and software update.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

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
                    PreferenceKey{"com.apple.Terminal", "FocusFollowsMouse", TweakValueType::bool_},
            },
            {
                .id = "mouse.linear",
                .title = "Disable mouse acceleration",
                .summary = "When on, cursor moves linearly with the mouse instead of accelerating.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "com.apple.mouse.linear", TweakValueType::bool_},
            },
            {
                .id = "mouse.scaling",
                .title = "Mouse cursor speed",
                .summary = "Higher is faster. The Settings UI maps roughly to 0.0–3.0.",
                .kind = TweakKind::decimal(-1.0, 3.0, 0.0625),
                .defaultValue = decimal(1.0),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "com.apple.mouse.scaling", TweakValueType::double_},
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
                .preferenceKey =
                    PreferenceKey{"com.apple.AppleMultitouchTrackpad", "Dragging", TweakValueType::bool_},
            },
            {
                .id = "trackpad.drag-lock",
                .title = "Tap-and-drag with drag lock",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.AppleMultitouchTrackpad", "DragLock", TweakValueType::bool_},
            },
            {
                .id = "trackpad.first-click-threshold",
                .title = "Click pressure",
                .kind =
                    TweakKind::picker({{integer(0), "Light"}, {integer(1), "Medium"}, {integer(2), "Firm"}}),
                .defaultValue = integer(1),
                .preferenceKey = PreferenceKey{"com.apple.AppleMultitouchTrackpad", "FirstClickThreshold",
                                               TweakValueType::int_},
            },
            {
                .id = "trackpad.three-finger-drag",
                .title = "Three-finger drag",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.AppleMultitouchTrackpad", "TrackpadThreeFingerDrag",
                                               TweakValueType::bool_},
            },
            {
                .id = "trackpad.natural-scrolling",
                .title = "Natural scrolling direction",
                .summary = "Content moves with your finger direction.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "com.apple.swipescrolldirection", TweakValueType::bool_},
            },
            {
                .id = "trackpad.tap-to-click",
                .title = "Tap to click",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.AppleMultitouchTrackpad", "Clicking", TweakValueType::bool_},
            },
            {
                .id = "trackpad.tracking-speed",
                .title = "Tracking speed",
                .summary = "0.0 (slowest) to 3.0 (fastest).",
                .kind = TweakKind::decimal(0.0, 3.0, 0.125),
                .defaultValue = decimal(1.0),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "com.apple.trackpad.scaling", TweakValueType::double_},
            },
            {
                .id = "trackpad.force-click",
                .title = "Force Click and haptic feedback",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.AppleMultitouchTrackpad", "ForceSuppressed",
                                               TweakValueType::bool_},
            },
            {
                .id = "trackpad.two-finger-secondary-click",
                .title = "Two-finger secondary click (right click)",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.AppleMultitouchTrackpad", "TrackpadRightClick",
                                               TweakValueType::bool_},
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
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "NSUseAlertsForCriticalAlerts", TweakValueType::bool_},
            },
            {
                .id = "menubar.show-battery-percent",
                .title = "Show battery percentage",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.controlcenter", "BatteryShowPercentage", TweakValueType::bool_},
                .restart = {RestartTarget::controlCenter},
            },
            {
                .id = "menubar.show-bluetooth",
                .title = "Show Bluetooth icon",
                .kind = TweakKind::picker({{integer(2), "Don't show"},
                                           {integer(18), "Show in menu bar"},
                                           {integer(24), "Show in Control Center only"}}),
                .defaultValue = integer(2),
                .preferenceKey = PreferenceKey{"com.apple.controlcenter", "Bluetooth", TweakValueType::int_},
                .restart = {RestartTarget::controlCenter},
            },
            {
                .id = "menubar.clock-date-format",
                .title = "Menu bar clock format",
                .summary = "Standard formatter tokens, e.g. EEE d MMM HH:mm:ss",
                .kind = TweakKind::text(),
                .defaultValue = text("EEE d MMM HH:mm:ss"),
                .preferenceKey =
                    PreferenceKey{"com.apple.menuextra.clock", "DateFormat", TweakValueType::string},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "menubar.clock-flash-separators",
                .title = "Flash clock time separators each second",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.menuextra.clock", "FlashDateSeparators", TweakValueType::bool_},
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
                    PreferenceKey{"com.apple.screensaver", "askForPassword", TweakValueType::bool_},
            },
            {
                .id = "lock-screen.ask-for-password-delay",
                .title = "Password grace period (seconds)",
                .summary = "Seconds after sleep before the password is required. 0 = immediately.",
                .kind = TweakKind::integer(0, 300, 1),
                .defaultValue = integer(5),
                .preferenceKey =
                    PreferenceKey{"com.apple.screensaver", "askForPasswordDelay", TweakValueType::int_},
            },
            {
                .id = "lock-screen.idle-time",
                .title = "Start screen saver after (seconds)",
                .summary = "0 to disable screen saver.",
                .kind = TweakKind::integer(0, 3600, 60),
                .defaultValue = integer(1200),
                .preferenceKey = PreferenceKey{"com.apple.screensaver", "idleTime", TweakValueType::int_},
            },
            {
                .id = "lock-screen.show-clock",
                .title = "Show clock on screen saver",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.screensaver", "showClock", TweakValueType::bool_},
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
                .kind = TweakKind::picker(
                    {{text("Centimeters"), "Metric"}, {text("Inches"), "US"}, {text("Picas"), "UK"}}),
                .defaultValue = text("Centimeters"),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "AppleMeasurementUnits", TweakValueType::string},
            },
            {
                .id = "language.metric-system",
                .title = "Use metric system",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "AppleMetricUnits", TweakValueType::bool_},
            },
            {
                .id = "language.temperature-unit",
                .title = "Temperature unit",
                .kind = TweakKind::picker({{text("Celsius"), "Celsius"}, {text("Fahrenheit"), "Fahrenheit"}}),
                .defaultValue = text("Celsius"),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "AppleTemperatureUnit", TweakValueType::string},
            },
            {
                .id = "language.force-24-hour-time",
                .title = "Use 24-hour time",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "AppleICUForce24HourTime", TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "language.first-weekday",
                .title = "First day of the week",
                .kind = TweakKind::picker({{integer(1), "Sunday"},
                                           {integer(2), "Monday"},
                                           {integer(3), "Tuesday"},
                                           {integer(4), "Wednesday"},
                                           {integer(5), "Thursday"},
                                           {integer(6), "Friday"},
                                           {integer(7), "Saturday"}}),
                .defaultValue = integer(1),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "AppleFirstWeekday", TweakValueType::int_},
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
                .preferenceKey =
                    PreferenceKey{"com.apple.SoftwareUpdate", "AutomaticCheckEnabled", TweakValueType::bool_},
            },
            {
                .id = "software-update.auto-download",
                .title = "Download new updates when available",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"com.apple.SoftwareUpdate", "AutomaticDownload", TweakValueType::bool_},
            },
            {
                .id = "software-update.critical-update-install",
                .title = "Install critical security updates automatically",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"com.apple.SoftwareUpdate", "CriticalUpdateInstall", TweakValueType::bool_},
            },
            {
                .id = "software-update.auto-update",
                .title = "Install macOS updates automatically",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.SoftwareUpdate", "AutomaticallyInstallMacOSUpdates",
                                               TweakValueType::bool_},
            },
            {
                .id = "software-update.app-auto-update",
                .title = "Automatically update App Store apps",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.commerce", "AutoUpdate", TweakValueType::bool_},
            },
        });
}

} // namespace velmora::catalogue
