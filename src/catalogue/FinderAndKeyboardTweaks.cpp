// The constant tweaks of Finder, desktop, Mission Control, screenshots and keyboard.
// Texts are shown verbatim; each list is in the order of the category page.

#include "CatalogueTables.h"

namespace velmora::catalogue {

using namespace Qt::StringLiterals;

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
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"ShowPathbar"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-statusbar",
                .title = "Show status bar",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"ShowStatusBar"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-hidden-files",
                .title = "Show hidden files",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"AppleShowAllFiles"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-all-extensions",
                .title = "Show all filename extensions",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleShowAllExtensions"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.extension-change-warning",
                .title = "Warn when changing a filename extension",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.finder"_s, u"FXEnableExtensionChangeWarning"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-posix-path",
                .title = "Show full POSIX path in window title",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"_FXShowPosixPathInTitle"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.default-search-scope",
                .title = "Default search scope",
                .kind = TweakKind::picker({{text("SCcf"), u"Current folder"_s},
                                           {text("SCev"), u"This Mac"_s},
                                           {text("SCsp"), u"Previous scope"_s}}),
                .defaultValue = text("SCev"),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"FXDefaultSearchScope"_s, TweakValueType::string},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.show-desktop-icons",
                .title = "Show icons on the Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"CreateDesktop"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.column-auto-sizing",
                .title = "Auto-size columns in column view",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.finder"_s, u"_FXEnableColumnAutoSizing"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.sort-folders-first",
                .title = "Keep folders on top in Finder",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"_FXSortFoldersFirst"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.spawn-tab",
                .title = "⌘-double-click opens folders in new tab",
                .summary = "Off opens a new window instead.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"FinderSpawnTab"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.preferred-view-style",
                .title = "Default view style",
                .kind = TweakKind::picker({{text("icnv"), u"Icon"_s},
                                           {text("Nlsv"), u"List"_s},
                                           {text("clmv"), u"Column"_s},
                                           {text("glyv"), u"Gallery"_s}}),
                .defaultValue = text("icnv"),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"FXPreferredViewStyle"_s, TweakValueType::string},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.empty-trash-30-days",
                .title = "Empty Bin items after 30 days",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"FXRemoveOldTrashItems"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.save-new-docs-to-icloud",
                .title = "Save new documents to iCloud by default",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"NSDocumentSaveNewDocumentsToCloud"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "finder.sidebar-icon-size",
                .title = "Finder sidebar icon size",
                .kind = TweakKind::picker(
                    {{integer(1), u"Small"_s}, {integer(2), u"Medium"_s}, {integer(3), u"Large"_s}}),
                .defaultValue = integer(2),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"NSTableViewDefaultSizeMode"_s, TweakValueType::int_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.toolbar-title-rollover-delay",
                .title = "Toolbar title rollover delay",
                .summary = "Seconds before hovering reveals the toolbar title.",
                .kind = TweakKind::decimal(0.0, 5.0, 0.05),
                .defaultValue = decimal(0.5),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"NSToolbarTitleViewRolloverDelay"_s,
                                               TweakValueType::double_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.quit-menu-item",
                .title = "Show Quit in the Finder menu",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"QuitMenuItem"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "finder.title-bar-icons",
                .title = "Show folder icon in window title bar",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.universalaccess"_s, u"showWindowTitlebarIcons"_s,
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
                .preferenceKey = PreferenceKey{u"com.apple.finder"_s, u"_FXSortFoldersFirstOnDesktop"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-external-disks",
                .title = "Show external disks on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.finder"_s, u"ShowExternalHardDrivesOnDesktop"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-internal-disks",
                .title = "Show internal hard disks on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.finder"_s, u"ShowHardDrivesOnDesktop"_s, TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-mounted-servers",
                .title = "Show connected servers on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"com.apple.finder"_s, u"ShowMountedServersOnDesktop"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::finder},
            },
            {
                .id = "desktop.show-removable-media",
                .title = "Show CDs/DVDs and removable media on Desktop",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.finder"_s, u"ShowRemovableMediaOnDesktop"_s,
                                               TweakValueType::bool_},
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
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"AppleSpacesSwitchOnActivate"_s,
                                               TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "mission-control.expose-group-apps",
                .title = "Group windows by application in Mission Control",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.dock"_s, u"expose-group-apps"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "mission-control.mru-spaces",
                .title = "Automatically rearrange Spaces by most recent use",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"com.apple.dock"_s, u"mru-spaces"_s, TweakValueType::bool_},
                .restart = {RestartTarget::dock},
            },
            {
                .id = "mission-control.spans-displays",
                .title = "Displays have separate Spaces",
                .summary = "Off makes Spaces span every connected display.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.spaces"_s, u"spans-displays"_s, TweakValueType::bool_},
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
                .kind = TweakKind::picker({{text("png"), u"PNG"_s},
                                           {text("jpg"), u"JPEG"_s},
                                           {text("pdf"), u"PDF"_s},
                                           {text("tiff"), u"TIFF"_s},
                                           {text("heic"), u"HEIC"_s}}),
                .defaultValue = text("png"),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screencapture"_s, u"type"_s, TweakValueType::string},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.disable-shadow",
                .title = "Disable window shadow",
                .summary = "Removes the shadow when capturing a single window.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screencapture"_s, u"disable-shadow"_s, TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.show-thumbnail",
                .title = "Show floating thumbnail after capture",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screencapture"_s, u"show-thumbnail"_s, TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.include-date",
                .title = "Include date in filename",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screencapture"_s, u"include-date"_s, TweakValueType::bool_},
                .restart = {RestartTarget::systemUIServer},
            },
            {
                .id = "screenshot.location",
                .title = "Save location",
                .summary = "Folder where new screenshots are written.",
                .kind = TweakKind::path(),
                .defaultValue = text("~/Desktop"),
                .preferenceKey =
                    PreferenceKey{u"com.apple.screencapture"_s, u"location"_s, TweakValueType::string},
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
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"KeyRepeat"_s, TweakValueType::int_},
                .warning = "Takes effect after logging out and back in.",
            },
            {
                .id = "keyboard.initial-key-repeat",
                .title = "Delay until repeat",
                .summary = "Lower is shorter. The Settings app minimum is 15.",
                .kind = TweakKind::integer(10, 120, 1),
                .defaultValue = integer(25),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"InitialKeyRepeat"_s, TweakValueType::int_},
                .warning = "Takes effect after logging out and back in.",
            },
            {
                .id = "keyboard.press-and-hold",
                .title = "Press-and-hold for accented characters",
                .summary = "When off, holding a key repeats it (useful for Vim).",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"ApplePressAndHoldEnabled"_s, TweakValueType::bool_},
            },
            {
                .id = "keyboard.full-keyboard-access",
                .title = "Full keyboard access",
                .summary = "Tab through all controls in dialogs and forms.",
                .kind = TweakKind::picker({{integer(0), u"Text boxes and lists only"_s},
                                           {integer(2), u"All controls"_s},
                                           {integer(3), u"All controls (alternate)"_s}}),
                .defaultValue = integer(0),
                .preferenceKey =
                    PreferenceKey{u"NSGlobalDomain"_s, u"AppleKeyboardUIMode"_s, TweakValueType::int_},
            },
            {
                .id = "keyboard.fn-usage-type",
                .title = "Fn / 🌐 key behavior",
                .kind = TweakKind::picker({{integer(0), u"Do nothing"_s},
                                           {integer(1), u"Change input source"_s},
                                           {integer(2), u"Show Emoji & Symbols"_s},
                                           {integer(3), u"Start Dictation"_s}}),
                .defaultValue = integer(0),
                .preferenceKey =
                    PreferenceKey{u"com.apple.HIToolbox"_s, u"AppleFnUsageType"_s, TweakValueType::int_},
            },
            {
                .id = "keyboard.period-double-space",
                .title = "Add period with double-space",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"NSAutomaticPeriodSubstitutionEnabled"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "keyboard.fn-state",
                .title = "Use F1, F2, etc. keys as standard function keys",
                .summary = "Off: top row controls brightness/media. On: top row sends F1–F12.",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(false),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"com.apple.keyboard.fnState"_s,
                                               TweakValueType::bool_},
            },
            {
                .id = "keyboard.language-indicator",
                .title = "Show language indicator when switching input",
                .kind = TweakKind::toggle(),
                .defaultValue = boolean(true),
                .preferenceKey = PreferenceKey{u"NSGlobalDomain"_s, u"TSMLanguageIndicatorEnabled"_s,
                                               TweakValueType::bool_},
            },
        });
}

} // namespace velmora::catalogue
