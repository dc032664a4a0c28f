// The constant tweaks of Finder, desktop, Mission Control, screenshots and keyboard.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

QList<Tweak> finderTweaks()
{
    return makeTweaks(
        "finder",
        {
            {
                .id = "finder.show-pathbar",
                .title = "Show path bar",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.finder", "ShowPathbar", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-statusbar",
                .title = "Show status bar",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.finder", "ShowStatusBar", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-hidden-files",
                .title = "Show hidden files",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "AppleShowAllFiles", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-all-extensions",
                .title = "Show all filename extensions",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "AppleShowAllExtensions", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.extension-change-warning",
                .title = "Warn when changing a filename extension",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.finder", "FXEnableExtensionChangeWarning",
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-posix-path",
                .title = "Show full POSIX path in window title",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "_FXShowPosixPathInTitle", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.default-search-scope",
                .title = "Default search scope",
                .kind = TweakKind::picker({{text("SCcf"), "Current folder"},
                                           {text("SCev"), "This Mac"},
                                           {text("SCsp"), "Previous scope"}}),
                .defaultValue = text("SCev"),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "FXDefaultSearchScope", TweakValueType::string},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-desktop-icons",
                .title = "Show icons on the Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.finder", "CreateDesktop", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.column-auto-sizing",
                .title = "Auto-size columns in column view",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "_FXEnableColumnAutoSizing", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.sort-folders-first",
                .title = "Keep folders on top in Finder",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "_FXSortFoldersFirst", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.spawn-tab",
                .title = "⌘-double-click opens folders in new tab",
                .summary = "Off opens a new window instead.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.finder", "FinderSpawnTab", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.preferred-view-style",
                .title = "Default view style",
                .kind = TweakKind::picker({{text("icnv"), "Icon"},
                                           {text("Nlsv"), "List"},
                                           {text("clmv"), "Column"},
                                           {text("glyv"), "Gallery"}}),
                .defaultValue = text("icnv"),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "FXPreferredViewStyle", TweakValueType::string},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.empty-trash-30-days",
                .title = "Empty Bin items after 30 days",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "FXRemoveOldTrashItems", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.save-new-docs-to-icloud",
                .title = "Save new documents to iCloud by default",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "NSDocumentSaveNewDocumentsToCloud",
                                               TweakValueType::bool_},
            },
            {
                .id = "finder.sidebar-icon-size",
                .title = "Finder sidebar icon size",
                .kind =
                    TweakKind::picker({{integer(1), "Small"}, {integer(2), "Medium"}, {integer(3), "Large"}}),
                .defaultValue = integer(2),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "NSTableViewDefaultSizeMode", TweakValueType::int_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.toolbar-title-rollover-delay",
                .title = "Toolbar title rollover delay",
                .summary = "Seconds before hovering reveals the toolbar title.",
                .kind = TweakKind::decimal(0.0, 5.0, 0.05),
                .defaultValue = decimal(0.5),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "NSToolbarTitleViewRolloverDelay",
                                               TweakValueType::double_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.quit-menu-item",
                .title = "Show Quit in the Finder menu",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.finder", "QuitMenuItem", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.title-bar-icons",
                .title = "Show folder icon in window title bar",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.universalaccess", "showWindowTitlebarIcons",
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
        });
}

QList<Tweak> desktopTweaks()
{
    return makeTweaks(
        "desktop",
        {
            {
                .id = "desktop.sort-folders-first",
                .title = "Keep folders on top on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "_FXSortFoldersFirstOnDesktop", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-external-disks",
                .title = "Show external disks on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.finder", "ShowExternalHardDrivesOnDesktop",
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-internal-disks",
                .title = "Show internal hard disks on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "ShowHardDrivesOnDesktop", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-mounted-servers",
                .title = "Show connected servers on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "ShowMountedServersOnDesktop", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-removable-media",
                .title = "Show CDs/DVDs and removable media on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"com.apple.finder", "ShowRemovableMediaOnDesktop", TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
        });
}

QList<Tweak> missionControlTweaks()
{
    return makeTweaks(
        "mission-control",
        {
            {
                .id = "mission-control.switch-to-space-with-windows",
                .title = "Switch to Space with the app's window",
                .summary = "When activating an app, jump to the Space that already has its window.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "AppleSpacesSwitchOnActivate", TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "mission-control.expose-group-apps",
                .title = "Group windows by application in Mission Control",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.dock", "expose-group-apps", TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "mission-control.mru-spaces",
                .title = "Automatically rearrange Spaces by most recent use",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"com.apple.dock", "mru-spaces", TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "mission-control.spans-displays",
                .title = "Displays have separate Spaces",
                .summary = "Off makes Spaces span every connected display.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{"com.apple.spaces", "spans-displays", TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer, RestartTarget::dock},
            },
        });
}

QList<Tweak> screenshotTweaks()
{
    return makeTweaks(
        "screenshot",
        {
            {
                .id = "screenshot.format",
                .title = "Image format",
                .kind = TweakKind::picker({{text("png"), "PNG"},
                                           {text("jpg"), "JPEG"},
                                           {text("pdf"), "PDF"},
                                           {text("tiff"), "TIFF"},
                                           {text("heic"), "HEIC"}}),
                .defaultValue = text("png"),
                .preferenceKey = PreferenceKey{"com.apple.screencapture", "type", TweakValueType::string},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.disable-shadow",
                .title = "Disable window shadow",
                .summary = "Removes the shadow when capturing a single window.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"com.apple.screencapture", "disable-shadow", TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.show-thumbnail",
                .title = "Show floating thumbnail after capture",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"com.apple.screencapture", "show-thumbnail", TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.include-date",
                .title = "Include date in filename",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"com.apple.screencapture", "include-date", TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.location",
                .title = "Save location",
                .summary = "Folder where new screenshots are written.",
                .kind = TweakKind::path(),
                .defaultValue = text("~/Desktop"),
                .preferenceKey = PreferenceKey{"com.apple.screencapture", "location", TweakValueType::string},
                .restart = {RestartTarget::systemUIServer},
            },
        });
}

QList<Tweak> keyboardTweaks()
{
    return makeTweaks(
        "keyboard",
        {
            {
                .id = "keyboard.key-repeat",
                .title = "Key repeat rate",
                .summary = "Lower is faster. The Settings app minimum is 2.",
                .kind = TweakKind::integer(1, 120, 1),
                .defaultValue = integer(6),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "KeyRepeat", TweakValueType::int_},
                .warning = "Takes effect after logging out and back in.",
            },
            {
                .id = "keyboard.initial-key-repeat",
                .title = "Delay until repeat",
                .summary = "Lower is shorter. The Settings app minimum is 15.",
                .kind = TweakKind::integer(10, 120, 1),
                .defaultValue = integer(25),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "InitialKeyRepeat", TweakValueType::int_},
                .warning = "Takes effect after logging out and back in.",
            },
            {
                .id = "keyboard.press-and-hold",
                .title = "Press-and-hold for accented characters",
                .summary = "When off, holding a key repeats it (useful for Vim).",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "ApplePressAndHoldEnabled", TweakValueType::bool_},
            },
            {
                .id = "keyboard.full-keyboard-access",
                .title = "Full keyboard access",
                .summary = "Tab through all controls in dialogs and forms.",
                .kind = TweakKind::picker({{integer(0), "Text boxes and lists only"},
                                           {integer(2), "All controls"},
                                           {integer(3), "All controls (alternate)"}}),
                .defaultValue = integer(0),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "AppleKeyboardUIMode", TweakValueType::int_},
            },
            {
                .id = "keyboard.fn-usage-type",
                .title = "Fn / 🌐 key behavior",
                .kind = TweakKind::picker({{integer(0), "Do nothing"},
                                           {integer(1), "Change input source"},
                                           {integer(2), "Show Emoji & Symbols"},
                                           {integer(3), "Start Dictation"}}),
                .defaultValue = integer(0),
                .preferenceKey =
                    PreferenceKey{"com.apple.HIToolbox", "AppleFnUsageType", TweakValueType::int_},
            },
            {
                .id = "keyboard.period-double-space",
                .title = "Add period with double-space",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{"NSGlobalDomain", "NSAutomaticPeriodSubstitutionEnabled",
                                               TweakValueType::bool_},
            },
            {
                .id = "keyboard.fn-state",
                .title = "Use F1, F2, etc. keys as standard function keys",
                .summary = "Off: top row controls brightness/media. On: top row sends F1–F12.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "com.apple.keyboard.fnState", TweakValueType::bool_},
            },
            {
                .id = "keyboard.language-indicator",
                .title = "Show language indicator when switching input",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{"NSGlobalDomain", "TSMLanguageIndicatorEnabled", TweakValueType::bool_},
            },
        });
}

} // namespace velmora::catalogue
