#pragma once

#include "gui/kit/AppContext.h"
#include "gui/kit/Panels.h"

#include <QObject>

#include <memory>

class QSystemTrayIcon;

namespace velmora {

class CheckForUpdatesView;
class FullDiskAccessBanner;
class MainWindow;
class MenuBarContentView;
class Platform;
class TweakEngine;
class UpdateAlertDialogs;
class UpdaterManager;

/// The application: one engine for the whole process, the main window, and the menu-bar panel,
/// which opens from a tray icon where the desktop has a tray and from the window's menu always.
class VelmoraApp : public QObject {
    Q_OBJECT

public:
    /// Takes the platform chosen at start; `panels` may be replaced by tests.
    explicit VelmoraApp(std::unique_ptr<Platform> platform, std::unique_ptr<Panels> panels = nullptr,
                        QObject *parent = nullptr);
    ~VelmoraApp() override;

    TweakEngine &engine() const { return *m_engine; }
    Platform &platform() const { return *m_platform; }
    MainWindow *mainWindow() const { return m_window.get(); }
    /// The quick-toggles panel, made when first asked for: most starts never open it.
    MenuBarContentView *menuBarPanel();
    /// "Check for Updates…" in the Help menu (the application menu on a Mac).
    CheckForUpdatesView *checkForUpdatesView() const;
    /// The windows update checks show.
    UpdateAlertDialogs &updateAlerts() const { return *m_updateAlerts; }
    FullDiskAccessBanner *fullDiskAccessBanner() const;

    /// Puts the icon in the tray (done at start where the desktop has one) or takes it away. While
    /// it is there, closing the window leaves the application running.
    void setTrayIconShown(bool shown);
    bool isTrayIconShown() const { return m_tray != nullptr; }

    void showMainWindow();
    /// Opens the quick-toggles panel under the tray icon, or near the window's toolbar.
    void showMenuBarPanel();

private:
    /// Puts the Full Disk Access banner and "Check for Updates…" into the window's contents.
    void furnishWindow();

    std::unique_ptr<Platform> m_platform;
    std::unique_ptr<Panels> m_panels;
    std::unique_ptr<TweakEngine> m_engine;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<MenuBarContentView> m_panel;
    QSystemTrayIcon *m_tray = nullptr;
    std::unique_ptr<UpdateAlertDialogs> m_updateAlerts;
    std::unique_ptr<UpdaterManager> m_updaterManager;
    CheckForUpdatesView *m_checkForUpdates = nullptr;
    FullDiskAccessBanner *m_fullDiskAccessBanner = nullptr;
};

} // namespace velmora
