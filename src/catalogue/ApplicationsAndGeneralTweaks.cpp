// The constant tweaks of sharing, login window, bundled applications and general.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

QList<Tweak> sharingTweaks()
{
    return makeTweaks("sharing",
                      {
                          {"sharing.computer-name",
                           "Computer name",
                           "The name shown on the network and in AirDrop.",
                           TweakKind::text(),
                           S(""),
                           PreferenceKey{"com.apple.smb.server", "NetBIOSName", TweakValueType::string},
                           {},
                           nullptr},
                          {"sharing.local-hostname",
                           "Local hostname",
                           "Used for Bonjour (name.local). Restart may be required.",
                           TweakKind::text(),
                           S(""),
                           PreferenceKey{"com.apple.smb.server", "ServerDescription", TweakValueType::string},
                           {},
                           nullptr},
                      });
}

QList<Tweak> loginWindowTweaks()
{
    return makeTweaks(
        "login-window",
        {
            {"login-window.show-input-menu",
             "Show Input menu in login window",
             nullptr,
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.loginwindow", "showInputMenu", TweakValueType::bool_},
             {},
             nullptr},
            {"login-window.show-password-hints",
             "Show password hints after failed attempts",
             nullptr,
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.loginwindow", "RetriesUntilHint", TweakValueType::bool_},
             {},
             nullptr},
            {"login-window.guest-enabled",
             "Allow guest login",
             nullptr,
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.loginwindow", "GuestEnabled", TweakValueType::bool_},
             {},
             nullptr},
            {"login-window.show-full-name",
             "Display login window as name and password fields",
             "Off shows user icons instead.",
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.loginwindow", "SHOWFULLNAME", TweakValueType::bool_},
             {},
             nullptr},
            {"login-window.disable-console-access",
             "Disable >console login",
             nullptr,
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.loginwindow", "DisableConsoleAccess", TweakValueType::bool_},
             {},
             nullptr},
            {"login-window.login-window-text",
             "Login window message",
             "Custom text shown on the login screen.",
             TweakKind::text(),
             S(""),
             PreferenceKey{"com.apple.loginwindow", "LoginwindowText", TweakValueType::string},
             {},
             nullptr},
            {"login-window.shutdown-disabled",
             "Disable Shut Down button on login",
             nullptr,
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.loginwindow", "ShutDownDisabled", TweakValueType::bool_},
             {},
             nullptr},
            {"login-window.restart-disabled",
             "Disable Restart button on login",
             nullptr,
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.loginwindow", "RestartDisabled", TweakValueType::bool_},
             {},
             nullptr},
        });
}

QList<Tweak> safariTweaks()
{
    return makeTweaks("safari", {
                                    {"safari.show-full-url",
                                     "Show full website URL in the smart search field",
                                     nullptr,
                                     TweakKind::toggle(),
                                     B(false),
                                     PreferenceKey{"com.apple.Safari", "ShowFullURLInSmartSearchField",
                                                   TweakValueType::bool_},
                                     {},
                                     "Quit and reopen Safari for the change to take effect."},
                                });
}

QList<Tweak> messagesTweaks()
{
    return makeTweaks("messages",
                      {
                          {"messages.show-subject-field",
                           "Show subject field above iMessage composer",
                           nullptr,
                           TweakKind::toggle(),
                           B(false),
                           PreferenceKey{"com.apple.MobileSMS", "MMSShowSubject", TweakValueType::bool_},
                           {},
                           "Quit and reopen Messages for the change to take effect."},
                      });
}

QList<Tweak> musicTweaks()
{
    return makeTweaks("music", {
                                   {"music.playback-notifications",
                                    "Show song notifications when track changes",
                                    nullptr,
                                    TweakKind::toggle(),
                                    B(true),
                                    PreferenceKey{"com.apple.Music", "userWantsPlaybackNotifications",
                                                  TweakValueType::bool_},
                                    {},
                                    "Quit and reopen Music for the change to take effect."},
                               });
}

QList<Tweak> texteditTweaks()
{
    return makeTweaks("textedit",
                      {
                          {"textedit.rich-text",
                           "Default to rich text documents",
                           "Off creates plain text documents by default.",
                           TweakKind::toggle(),
                           B(true),
                           PreferenceKey{"com.apple.TextEdit", "RichText", TweakValueType::bool_},
                           {},
                           "Quit and reopen TextEdit for the change to take effect."},
                          {"textedit.smart-quotes",
                           "Smart quotes",
                           nullptr,
                           TweakKind::toggle(),
                           B(true),
                           PreferenceKey{"com.apple.TextEdit", "SmartQuotes", TweakValueType::bool_},
                           {},
                           "Quit and reopen TextEdit for the change to take effect."},
                      });
}

QList<Tweak> timemachineTweaks()
{
    return makeTweaks("timemachine", {
                                         {"timemachine.dont-offer-new-disks",
                                          "Don't prompt to use new disks for backup",
                                          nullptr,
                                          TweakKind::toggle(),
                                          B(false),
                                          PreferenceKey{"com.apple.TimeMachine",
                                                        "DoNotOfferNewDisksForBackup", TweakValueType::bool_},
                                          {},
                                          nullptr},
                                     });
}

QList<Tweak> xcodeTweaks()
{
    return makeTweaks("xcode", {
                                   {"xcode.show-build-duration",
                                    "Show build duration in toolbar",
                                    nullptr,
                                    TweakKind::toggle(),
                                    B(false),
                                    PreferenceKey{"com.apple.dt.Xcode", "ShowBuildOperationDuration",
                                                  TweakValueType::bool_},
                                    {},
                                    "Quit and reopen Xcode for the change to take effect."},
                               });
}

QList<Tweak> activityMonitorTweaks()
{
    return makeTweaks(
        "activity-monitor",
        {
            {"activity-monitor.icon-type",
             "Dock icon graph",
             nullptr,
             TweakKind::picker({{I(0), "App icon"},
                                {I(2), "Network usage"},
                                {I(3), "Disk usage"},
                                {I(5), "CPU meter"},
                                {I(6), "CPU history"}}),
             I(0),
             PreferenceKey{"com.apple.ActivityMonitor", "IconType", TweakValueType::int_},
             {},
             "Quit and reopen Activity Monitor for the change to take effect."},
            {"activity-monitor.update-period",
             "Update frequency (seconds)",
             nullptr,
             TweakKind::picker({{I(1), "Very often (1s)"}, {I(2), "Often (2s)"}, {I(5), "Normally (5s)"}}),
             I(5),
             PreferenceKey{"com.apple.ActivityMonitor", "UpdatePeriod", TweakValueType::int_},
             {},
             "Quit and reopen Activity Monitor for the change to take effect."},
        });
}

QList<Tweak> generalTweaks()
{
    return makeTweaks(
        "general",
        {
            {"general.help-menu-dev-mode",
             "Help menu can go behind other windows",
             "Off keeps the Help viewer always on top.",
             TweakKind::toggle(),
             B(false),
             PreferenceKey{"com.apple.helpviewer", "DevMode", TweakValueType::bool_},
             {},
             nullptr},
            {"general.disable-quarantine-popup",
             "Show \"Application Downloaded from Internet\" warning",
             "Turn off to skip the quarantine popup for newly downloaded apps.",
             TweakKind::toggle(),
             B(true),
             PreferenceKey{"com.apple.LaunchServices", "LSQuarantine", TweakValueType::bool_},
             {},
             nullptr},
            {"general.ns-close-confirms-changes",
             "Auto-save documents on close",
             "Off prompts you to save instead of auto-saving.",
             TweakKind::toggle(),
             B(true),
             PreferenceKey{"NSGlobalDomain", "NSCloseAlwaysConfirmsChanges", TweakValueType::bool_},
             {},
             nullptr},
            {"general.ns-quit-keeps-windows",
             "Restore windows when reopening apps",
             nullptr,
             TweakKind::toggle(),
             B(true),
             PreferenceKey{"NSGlobalDomain", "NSQuitAlwaysKeepsWindow", TweakValueType::bool_},
             {RT::dock, RT::cfprefsd},
             nullptr},
            {"general.feedback-autogather",
             "Feedback Assistant: auto-gather files",
             nullptr,
             TweakKind::toggle(),
             B(true),
             PreferenceKey{"com.apple.appleseed.FeedbackAssistant", "Autogather", TweakValueType::bool_},
             {},
             nullptr},
            {"general.simulator-screenshot-location",
             "iOS Simulator screenshot location",
             nullptr,
             TweakKind::path(),
             S("~/Pictures/Screenshots"),
             PreferenceKey{"com.apple.iphonesimulator", "ScreenShotSaveLocation", TweakValueType::string},
             {},
             "Quit and reopen Simulator for the change to take effect."},
        });
}

} // namespace velmora::catalogue
