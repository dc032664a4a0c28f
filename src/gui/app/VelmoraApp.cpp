#include "VelmoraApp.h"

#include "FullDiskAccessBanner.h"
#include "MainWindow.h"
#include "MenuBarContentView.h"
#include "RootView.h"
#include "dock/DockAppsTweakHandler.h"
#include "engine/TweakEngine.h"
#include "gui/dock/AccessibleDockRowList.h"
#include "gui/kit/AccessibleInterfaces.h"
#include "gui/kit/AppIcon.h"
#include "gui/kit/Style.h"
#include "gui/updates/CheckForUpdatesView.h"
#include "gui/updates/UpdateAlertDialogs.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"
#include "updates/UpdaterManager.h"
#include "wallpaper/WallpaperTweakHandler.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QThreadPool>
#include <QToolBar>
#include <QVBoxLayout>

namespace velmora {

VelmoraApp::VelmoraApp(std::unique_ptr<Platform> platform, std::unique_ptr<Panels> panels, QObject *parent)
    : QObject(parent), m_platform(std::move(platform)),
      m_panels(panels ? std::move(panels) : std::make_unique<Panels>())
{
    // Screen readers meet the kit's controls and the Dock editor's rows through interfaces of their own.
    AccessibleInterfaces::install();
    AccessibleDockRowList::install();

    // Where the window is put together: the two tweaks that are whole states get their handlers. A
    // binding the catalogue refuses is a mistake in this file, never something to run with.
    Result<TweakHandlers> handlers = TweakHandlers::bind(
        TweakRegistry::shared(), {{QStringLiteral("dock.apps"), makeDockAppsTweakHandler()},
                                  {QStringLiteral("wallpaper.config"), makeWallpaperTweakHandler()}});
    if (!handlers)
        qFatal("Velmora: %s", qPrintable(handlers.error()));
    // Creating the engine reads nothing: pages read their categories when first shown.
    m_engine =
        std::make_unique<TweakEngine>(TweakRegistry::shared(), *m_platform, std::move(handlers).value());
    m_context = std::make_unique<AppContext>(AppContext{*m_engine, *m_platform, *m_panels});
    // The application's icon, which every window and dialog without one of its own shows.
    QApplication::setWindowIcon(AppIcon::icon());
    m_window = std::make_unique<MainWindow>(*m_context);

    connect(m_window.get(), &MainWindow::quickTogglesRequested, this, &VelmoraApp::showMenuBarPanel);
    // The window builds its contents after its first frame: the banner and the menu item go in then.
    connect(m_window.get(), &MainWindow::contentBuilt, this, &VelmoraApp::furnishWindow);

    // The updater starts with the application.
    m_updateAlerts = std::make_unique<UpdateAlertDialogs>(m_platform->workspace(), m_window.get());
    m_updaterManager = std::make_unique<UpdaterManager>(*m_platform, m_updateAlerts.get());

    setTrayIconShown(QSystemTrayIcon::isSystemTrayAvailable());
}

void VelmoraApp::furnishWindow()
{
    m_fullDiskAccessBanner = new FullDiskAccessBanner(*m_platform, m_window->rootView());
    m_window->rootView()->bannerArea()->addWidget(m_fullDiskAccessBanner);
    // "Check for Updates…" sits in the Help menu here; on a Mac Qt moves it into the application menu.
    m_checkForUpdates = new CheckForUpdatesView(m_updaterManager->updater(), m_window->helpMenu());
}

CheckForUpdatesView *VelmoraApp::checkForUpdatesView() const
{
    m_window->buildContent();
    return m_checkForUpdates;
}

FullDiskAccessBanner *VelmoraApp::fullDiskAccessBanner() const
{
    m_window->buildContent();
    return m_fullDiskAccessBanner;
}

void VelmoraApp::setTrayIconShown(bool shown)
{
    if (shown && !m_tray) {
        m_tray = new QSystemTrayIcon(this);
        m_tray->setToolTip(QStringLiteral("Velmora"));
        // The menu bar's symbol; the application's icon where the symbol font is missing. The
        // symbol is a template image: a Mac's menu bar draws it in its own colour, light or dark,
        // highlighted or not (other desktops keep the colour it is drawn in).
        const QString symbol = QStringLiteral("paperplane.fill");
        if (m_platform->symbols().hasSymbol(symbol)) {
            QIcon icon(
                m_platform->symbols().symbol(symbol, qApp->palette().color(QPalette::WindowText), 18, 2.0));
            icon.setIsMask(true);
            m_tray->setIcon(icon);
        } else {
            m_tray->setIcon(AppIcon::icon());
        }
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
                showMenuBarPanel();
        });
        m_tray->show();
    } else if (!shown && m_tray) {
        delete m_tray;
        m_tray = nullptr;
    }
    // With an icon in the tray the application lives on there when its window closes, as a menu-bar
    // application does: the panel's "Open Velmora…" brings the window back, "Quit Velmora" ends it.
    // Without one, closing the window is the only way left to end it.
    QApplication::setQuitOnLastWindowClosed(!m_tray);
}

VelmoraApp::~VelmoraApp()
{
    // Views hold references to the engine and the platform: they go first. The updater may be in
    // the middle of a check that would show its result in the window: it goes before the window.
    m_updaterManager.reset();
    m_panel.reset();
    m_window.reset();
    // Reads and writes of the model run on the shared worker threads with the platform and the
    // engine they were started from; those go next, so whatever still runs finishes first.
    QThreadPool::globalInstance()->waitForDone();
}

MenuBarContentView *VelmoraApp::menuBarPanel()
{
    if (!m_panel) {
        m_panel = std::make_unique<MenuBarContentView>(*m_engine, m_platform->symbols());
        m_panel->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
        m_panel->setAttribute(Qt::WA_TranslucentBackground);
        m_panel->setWindowTitle(QStringLiteral("Velmora"));
        connect(m_panel.get(), &MenuBarContentView::openMainWindowRequested, this, [this] {
            m_panel->hide();
            showMainWindow();
        });
        connect(m_panel.get(), &MenuBarContentView::quitRequested, qApp, &QApplication::quit);
    }
    return m_panel.get();
}

void VelmoraApp::showMainWindow()
{
#ifdef Q_OS_MACOS
    // A Mac draws the toolbar as part of the title bar: added once the window is on screen, it
    // would make the frame grow under the user's eyes. The window comes with its contents there.
    m_window->buildContent();
#endif
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void VelmoraApp::showMenuBarPanel()
{
    menuBarPanel()->adjustSize();
    QPoint anchor;
    if (m_tray && m_tray->geometry().isValid()) {
        const QRect icon = m_tray->geometry();
        anchor = QPoint(icon.center().x() - m_panel->width() / 2, icon.bottom() + 4);
    } else if (m_window->isVisible()) {
        const QRect frame = m_window->geometry();
        anchor =
            QPoint(frame.right() - m_panel->width() - 12, frame.top() + m_window->toolbar()->height() + 8);
    } else {
        anchor = QCursor::pos();
    }
    if (QScreen *screen = QApplication::screenAt(anchor)) {
        const QRect area = screen->availableGeometry();
        anchor.setX(
            std::clamp(anchor.x(), area.left(), std::max(area.left(), area.right() - m_panel->width())));
        anchor.setY(
            std::clamp(anchor.y(), area.top(), std::max(area.top(), area.bottom() - m_panel->height())));
    }
    m_panel->move(anchor);
    m_panel->show();
    m_panel->raise();
}

} // namespace velmora
