// The constant tweaks of sharing, login window, bundled applications and general.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

using namespace Qt::StringLiterals;

QList<Tweak> sharingTweaks()
{
    return makeTweaks("sharing",
                      {
                          {
                              .id = "sharing.computer-name",
                              .title = "Computer name",
                              .summary = "The name shown on the network and in AirDrop.",
                              .kind = TweakKind::text(),
                              .defaultValue = text(""),
                              .preferenceKey = PreferenceKey{u"com.apple.smb.server"_s, u"NetBIOSName"_s,
                                                             TweakValueType::string},
                          },
                          {
                              .id = "sharing.local-hostname",
                              .title = "Local hostname",
                              .summary = "Used for Bonjour (name.local). Restart may be required.",
                              .kind = TweakKind::text(),
                              .defaultValue = text(""),
                              .preferenceKey = PreferenceKey{u"com.apple.smb.server"_s,
                                                             u"ServerDescription"_s, TweakValueType::string},
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
                    PreferenceKey{u"com.apple.loginwindow"_s, u"showInputMenu"_s, TweakValueType::bool_},
            },
            {
                .id = "login-window.show-password-hints",
                .title = "Show password hints after failed attempts",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.loginwindow"_s, u"RetriesUntilHint"_s, TweakValueType::bool_},
            },
            {
                .id = "login-window.guest-enabled",
                .title = "Allow guest login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.loginwindow"_s, u"GuestEnabled"_s, TweakValueType::bool_},
            },
            {
                .id = "login-window.show-full-name",
                .title = "Display login window as name and password fields",
                .summary = "Off shows user icons instead.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.loginwindow"_s, u"SHOWFULLNAME"_s, TweakValueType::bool_},
            },
            {
                .id = "login-window.disable-console-access",
                .title = "Disable >console login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.loginwindow"_s, u"DisableConsoleAccess"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "login-window.login-window-text",
                .title = "Login window message",
                .summary = "Custom text shown on the login screen.",
                .kind = TweakKind::text(),
                .defaultValue = text(""),
                .preferenceKey =
                    PreferenceKey{u"com.apple.loginwindow"_s, u"LoginwindowText"_s, TweakValueType::string},
            },
            {
                .id = "login-window.shutdown-disabled",
                .title = "Disable Shut Down button on login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.loginwindow"_s, u"ShutDownDisabled"_s, TweakValueType::bool_},
            },
            {
                .id = "login-window.restart-disabled",
                .title = "Disable Restart button on login",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.loginwindow"_s, u"RestartDisabled"_s, TweakValueType::bool_},
            },
        });
}

QList<Tweak> safariTweaks()
{
    return makeTweaks("safari", {
                                    {
                                        .id = "safari.show-full-url",
                                        .title = "Show full website URL in the smart search field",
                                        .kind = TweakKind::toggle(),
                                        .defaultValue = boolean(false),
                                        .preferenceKey = PreferenceKey{u"com.apple.Safari"_s,
                                                                       u"ShowFullURLInSmartSearchField"_s,
                                                                       TweakValueType::bool_},
                                        .warning = "Quit and reopen Safari for the change to take effect.",
                                    },
                                });
}

QList<Tweak> messagesTweaks()
{
    return makeTweaks("messages",
                      {
                          {
                              .id = "messages.show-subject-field",
                              .title = "Show subject field above iMessage composer",
                              .kind = TweakKind::toggle(),
                              .defaultValue = boolean(false),
                              .preferenceKey = PreferenceKey{u"com.apple.MobileSMS"_s, u"MMSShowSubject"_s,
                                                             TweakValueType::bool_},
                              .warning = "Quit and reopen Messages for the change to take effect.",
                          },
                      });
}

QList<Tweak> musicTweaks()
{
    return makeTweaks("music", {
                                   {
                                       .id = "music.playback-notifications",
                                       .title = "Show song notifications when track changes",
                                       .kind = TweakKind::toggle(),
                                       .defaultValue = boolean(true),
                                       .preferenceKey = PreferenceKey{u"com.apple.Music"_s,
                                                                      u"userWantsPlaybackNotifications"_s,
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
                .preferenceKey = PreferenceKey{u"com.apple.TextEdit"_s, u"RichText"_s, TweakValueType::bool_},
                .warning = "Quit and reopen TextEdit for the change to take effect.",
            },
            {
                .id = "textedit.smart-quotes",
                .title = "Smart quotes",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.TextEdit"_s, u"SmartQuotes"_s, TweakValueType::bool_},
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
                                             .preferenceKey = PreferenceKey{u"com.apple.TimeMachine"_s,
                                                                            u"DoNotOfferNewDisksForBackup"_s,
                                                                            TweakValueType::bool_},
                                         },
                                     });
}

QList<Tweak> xcodeTweaks()
{
    return makeTweaks("xcode", {
                                   {
                                       .id = "xcode.show-build-duration",
                                       .title = "Show build duration in toolbar",
                                       .kind = TweakKind::toggle(),
                                       .defaultValue = boolean(false),
                                       .preferenceKey = PreferenceKey{u"com.apple.dt.Xcode"_s,
                                                                      u"ShowBuildOperationDuration"_s,
                                                                      TweakValueType::bool_},
                                       .warning = "Quit and reopen Xcode for the change to take effect.",
                                   },
                               });
}

QList<Tweak> activityMonitorTweaks()
{
    return makeTweaks("activity-monitor",
                      {
                          {
                              .id = "activity-monitor.icon-type",
                              .title = "Dock icon graph",
                              .kind = TweakKind::picker({{integer(0), u"App icon"_s},
                                                         {integer(2), u"Network usage"_s},
                                                         {integer(3), u"Disk usage"_s},
                                                         {integer(5), u"CPU meter"_s},
                                                         {integer(6), u"CPU history"_s}}),
                              .defaultValue = integer(0),
                              .preferenceKey = PreferenceKey{u"com.apple.ActivityMonitor"_s, u"IconType"_s,
                                                             TweakValueType::int_},
                              .warning = "Quit and reopen Activity Monitor for the change to take effect.",
                          },
                          {
                              .id = "activity-monitor.update-period",
                              .title = "Update frequency (seconds)",
                              .kind = TweakKind::picker({{integer(1), u"Very often (1s)"_s},
                                                         {integer(2), u"Often (2s)"_s},
                                                         {integer(5), u"Normally (5s)"_s}}),
                              .defaultValue = integer(5),
                              .preferenceKey = PreferenceKey{u"com.apple.ActivityMonitor"_s,
                                                             u"UpdatePeriod"_s, TweakValueType::int_},
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
                .preferenceKey =
                    PreferenceKey{u"com.apple.helpviewer"_s, u"DevMode"_s, TweakValueType::bool_},
            },
            {
                .id = "general.disable-quarantine-popup",
                .title = "Show \"Application Downloaded from Internet\" warning",
                .summary = "Turn off to skip the quarantine popup for newly downloaded apps.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.LaunchServices"_s, u"LSQuarantine"_s, TweakValueType::bool_},
            },
            {
                .id = "general.ns-close-confirms-changes",
                .title = "Auto-save documents on close",
                .summary = "Off prompts you to save instead of auto-saving.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"NSCloseAlwaysConfirmsChanges"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "general.ns-quit-keeps-windows",
                .title = "Restore windows when reopening apps",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"NSQuitAlwaysKeepsWindow"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock, RestartTarget::cfprefsd},
            },
            {
                .id = "general.feedback-autogather",
                .title = "Feedback Assistant: auto-gather files",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.appleseed.FeedbackAssistant"_s, u"Autogather"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "general.simulator-screenshot-location",
                .title = "iOS Simulator screenshot location",
                .kind = TweakKind::path(),
                .defaultValue = text("~/Pictures/Screenshots"),
                .preferenceKey = PreferenceKey{u"com.apple.iphonesimulator"_s, u"ScreenShotSaveLocation"_s,
                                               TweakValueType::string},
                .warning = "Quit and reopen Simulator for the change to take effect.",
            },
        });
}

} // namespace velmora::catalogue
