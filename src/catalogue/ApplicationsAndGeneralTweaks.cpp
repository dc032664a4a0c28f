// The constant tweaks of sharing, login window, bundled applications and general.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

QList<Tweak> sharingTweaks()
{
    return makeTweaks(
        "sharing",
        {
            {
                .id = "sharing.computer-name",
                .title = "Computer name",
                .summary = "The name shown on the network and in AirDrop.",
                .kind = TweakKind::text(),
                .defaultValue = text(""),
                .preferenceKey = PreferenceKey{"com.apple.smb.server", "NetBIOSName", TweakValueType::string},
            },
            {
                .id = "sharing.local-hostname",
                .title = "Local hostname",
                .summary = "Used for Bonjour (name.local). Restart may be required.",
                .kind = TweakKind::text(),
                .defaultValue = text(""),
                .preferenceKey =
                    PreferenceKey{"com.apple.smb.server", "ServerDescription", TweakValueType::string},
            },
        });
}

QList<Tweak> loginWindowTweaks()
{
    return makeTweaks(
        "login-window",
        {
            {
                .id = "login-window.show-input-menu",
                .title = "Show Input menu in login window",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "showInputMenu", TweakValueType::bool_},
            },
            {
                .id = "login-window.show-password-hints",
                .title = "Show password hints after failed attempts",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "RetriesUntilHint", TweakValueType::bool_},
            },
            {
                .id = "login-window.guest-enabled",
                .title = "Allow guest login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "GuestEnabled", TweakValueType::bool_},
            },
            {
                .id = "login-window.show-full-name",
                .title = "Display login window as name and password fields",
                .summary = "Off shows user icons instead.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "SHOWFULLNAME", TweakValueType::bool_},
            },
            {
                .id = "login-window.disable-console-access",
                .title = "Disable >console login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "DisableConsoleAccess", TweakValueType::bool_},
            },
            {
                .id = "login-window.login-window-text",
                .title = "Login window message",
                .summary = "Custom text shown on the login screen.",
                .kind = TweakKind::text(),
                .defaultValue = text(""),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "LoginwindowText", TweakValueType::string},
            },
            {
                .id = "login-window.shutdown-disabled",
                .title = "Disable Shut Down button on login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "ShutDownDisabled", TweakValueType::bool_},
            },
            {
                .id = "login-window.restart-disabled",
                .title = "Disable Restart button on login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.loginwindow", "RestartDisabled", TweakValueType::bool_},
            },
        });
}

QList<Tweak> safariTweaks()
{
    return makeTweaks(
        "safari", {
                      {
                          .id = "safari.show-full-url",
                          .title = "Show full website URL in the smart search field",
                          .kind = TweakKind::toggle(),
                          .defaultValue = boolean(false),
                          .preferenceKey = PreferenceKey{"com.apple.Safari", "ShowFullURLInSmartSearchField",
                                                         TweakValueType::bool_},
                          .warning = "Quit and reopen Safari for the change to take effect.",
                      },
                  });
}

QList<Tweak> messagesTweaks()
{
    return makeTweaks(
        "messages", {
                        {
                            .id = "messages.show-subject-field",
                            .title = "Show subject field above iMessage composer",
                            .kind = TweakKind::toggle(),
                            .defaultValue = boolean(false),
                            .preferenceKey =
                                PreferenceKey{"com.apple.MobileSMS", "MMSShowSubject", TweakValueType::bool_},
                            .warning = "Quit and reopen Messages for the change to take effect.",
                        },
                    });
}

QList<Tweak> musicTweaks()
{
    return makeTweaks(
        "music", {
                     {
                         .id = "music.playback-notifications",
                         .title = "Show song notifications when track changes",
                         .kind = TweakKind::toggle(),
                         .defaultValue = boolean(true),
                         .preferenceKey = PreferenceKey{"com.apple.Music", "userWantsPlaybackNotifications",
                                                        TweakValueType::bool_},
                         .warning = "Quit and reopen Music for the change to take effect.",
                     },
                 });
}

QList<Tweak> texteditTweaks()
{
    return makeTweaks(
        "textedit",
        {
            {
                .id = "textedit.rich-text",
                .title = "Default to rich text documents",
                .summary = "Off creates plain text documents by default.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.TextEdit", "RichText", TweakValueType::bool_},
                .warning = "Quit and reopen TextEdit for the change to take effect.",
            },
            {
                .id = "textedit.smart-quotes",
                .title = "Smart quotes",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.TextEdit", "SmartQuotes", TweakValueType::bool_},
                .warning = "Quit and reopen TextEdit for the change to take effect.",
            },
        });
}

QList<Tweak> timemachineTweaks()
{
    return makeTweaks("timemachine", {
                                         {
                                             .id = "timemachine.dont-offer-new-disks",
                                             .title = "Don't prompt to use new disks for backup",
                                             .kind = TweakKind::toggle(),
                                             .defaultValue = boolean(false),
                                             .preferenceKey = PreferenceKey{"com.apple.TimeMachine",
                                                                            "DoNotOfferNewDisksForBackup",
                                                                            TweakValueType::bool_},
                                         },
                                     });
}

QList<Tweak> xcodeTweaks()
{
    return makeTweaks(
        "xcode", {
                     {
                         .id = "xcode.show-build-duration",
                         .title = "Show build duration in toolbar",
                         .kind = TweakKind::toggle(),
                         .defaultValue = boolean(false),
                         .preferenceKey = PreferenceKey{"com.apple.dt.Xcode", "ShowBuildOperationDuration",
                                                        TweakValueType::bool_},
                         .warning = "Quit and reopen Xcode for the change to take effect.",
                     },
                 });
}

QList<Tweak> activityMonitorTweaks()
{
    return makeTweaks(
        "activity-monitor",
        {
            {
                .id = "activity-monitor.icon-type",
                .title = "Dock icon graph",
                .kind = TweakKind::picker({{integer(0), "App icon"},
                                           {integer(2), "Network usage"},
                                           {integer(3), "Disk usage"},
                                           {integer(5), "CPU meter"},
                                           {integer(6), "CPU history"}}),
                .defaultValue = integer(0),
                .preferenceKey = PreferenceKey{"com.apple.ActivityMonitor", "IconType", TweakValueType::int_},
                .warning = "Quit and reopen Activity Monitor for the change to take effect.",
            },
            {
                .id = "activity-monitor.update-period",
                .title = "Update frequency (seconds)",
                .kind = TweakKind::picker({{integer(1), "Very often (1s)"},
                                           {integer(2), "Often (2s)"},
                                           {integer(5), "Normally (5s)"}}),
                .defaultValue = integer(5),
                .preferenceKey =
                    PreferenceKey{"com.apple.ActivityMonitor", "UpdatePeriod", TweakValueType::int_},
                .warning = "Quit and reopen Activity Monitor for the change to take effect.",
            },
        });
}

QList<Tweak> generalTweaks()
{
    return makeTweaks(
        "general",
        {
            {
                .id = "general.help-menu-dev-mode",
                .title = "Help menu can go behind other windows",
                .summary = "Off keeps the Help viewer always on top.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.helpviewer", "DevMode", TweakValueType::bool_},
            },
            {
                .id = "general.disable-quarantine-popup",
                .title = "Show \"Application Downloaded from Internet\" warning",
                .summary = "Turn off to skip the quarantine popup for newly downloaded apps.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"com.apple.LaunchServices", "LSQuarantine", TweakValueType::bool_},
            },
            {
                .id = "general.ns-close-confirms-changes",
                .title = "Auto-save documents on close",
                .summary = "Off prompts you to save instead of auto-saving.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "NSCloseAlwaysConfirmsChanges", TweakValueType::bool_},
            },
            {
                .id = "general.ns-quit-keeps-windows",
                .title = "Restore windows when reopening apps",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "NSQuitAlwaysKeepsWindow", TweakValueType::bool_},
                .restart = {RestartTarget::dock, RestartTarget::cfprefsd},
            },
            {
                .id = "general.feedback-autogather",
                .title = "Feedback Assistant: auto-gather files",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.appleseed.FeedbackAssistant", "Autogather",
                                               TweakValueType::bool_},
            },
            {
                .id = "general.simulator-screenshot-location",
                .title = "iOS Simulator screenshot location",
                .kind = TweakKind::path(),
                .defaultValue = text("~/Pictures/Screenshots"),
                .preferenceKey = PreferenceKey{"com.apple.iphonesimulator", "ScreenShotSaveLocation",
                                               TweakValueType::string},
                .warning = "Quit and reopen Simulator for the change to take effect.",
            },
        });
}

} // namespace velmora::catalogue
