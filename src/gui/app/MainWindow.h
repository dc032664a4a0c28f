#pragma once

#include "AboutBox.h"
#include "gui/kit/AppContext.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMenu;
class QToolBar;

namespace velmora {

class PendingRestartsBanner;
class ProfileMenu;
class RootView;

/// The one main window: "Velmora", never smaller than 1100 × 640, the root view as its content, and
/// a toolbar with the profile menu and, while restarts are pending, the restart banner.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(const AppContext &context, QWidget *parent = nullptr);

    RootView *rootView() const { return m_root; }
    QToolBar *toolbar() const { return m_toolbar; }
    PendingRestartsBanner *restartsBanner() const { return m_banner; }
    ProfileMenu *profileMenu() const { return m_profileMenu; }
    /// Whether the restart banner is in the toolbar now.
    bool isRestartsBannerShown() const;
    /// The Help menu, for items added by other parts of the app.
    QMenu *helpMenu() const { return m_helpMenu; }
    /// The About box while it is open.
    AboutBox *aboutBox() const { return m_about; }
    /// The keys that quit, here and in the menu-bar panel.
    static QKeySequence quitKeys();

public slots:
    void showAbout();

signals:
    void quickTogglesRequested();

private:
    void updateBanner();

    AppContext m_context;
    RootView *m_root;
    QToolBar *m_toolbar;
    PendingRestartsBanner *m_banner;
    ProfileMenu *m_profileMenu;
    QAction *m_bannerAction;
    QMenu *m_helpMenu;
    QPointer<AboutBox> m_about;
};

} // namespace velmora
