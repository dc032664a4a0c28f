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
///
/// The window shows itself before its contents: its first frame is the empty window in the
/// appearance's colours, and the contents (which need the fonts set up, their texts laid out and
/// drawn) are built on the next event and painted in the frame after. Asking for any part of them
/// builds them at once.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(const AppContext &context, QWidget *parent = nullptr);

    /// Builds the root view, the toolbar and the menus unless they are there already; says
    /// contentBuilt() when it has.
    void buildContent();
    bool hasContent() const { return m_root != nullptr; }

    RootView *rootView() { return built(m_root); }
    QToolBar *toolbar() { return built(m_toolbar); }
    PendingRestartsBanner *restartsBanner() { return built(m_banner); }
    ProfileMenu *profileMenu() { return built(m_profileMenu); }
    /// Whether the restart banner is in the toolbar now.
    bool isRestartsBannerShown();
    /// The Help menu, for items added by other parts of the app.
    QMenu *helpMenu() { return built(m_helpMenu); }
    /// The About box while it is open.
    AboutBox *aboutBox() const { return m_about; }
    /// The keys that quit, here and in the menu-bar panel.
    static QKeySequence quitKeys();

public slots:
    void showAbout();

signals:
    void quickTogglesRequested();
    /// The contents are built; parts added by others go in now.
    void contentBuilt();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    /// A part of the contents, which are built first if they are not yet.
    template <typename Part> Part *built(Part *const &part)
    {
        buildContent();
        return part;
    }
    void updateBanner();

    AppContext m_context;
    RootView *m_root = nullptr;
    QToolBar *m_toolbar = nullptr;
    PendingRestartsBanner *m_banner = nullptr;
    ProfileMenu *m_profileMenu = nullptr;
    QAction *m_bannerAction = nullptr;
    QMenu *m_helpMenu = nullptr;
    bool m_contentQueued = false;
    QPointer<AboutBox> m_about;
};

} // namespace velmora
