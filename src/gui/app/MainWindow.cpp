#include "MainWindow.h"

#include "AboutBox.h"
#include "PendingRestartsBanner.h"
#include "RootView.h"
#include "engine/TweakEngine.h"
#include "gui/profiles/ProfileMenu.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace velmora {

QKeySequence MainWindow::quitKeys()
{
    // Some platforms' conventions name no key to quit (Windows, Qt's offscreen one); Ctrl+Q there.
    const QList<QKeySequence> platform = QKeySequence::keyBindings(QKeySequence::Quit);
    return platform.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Q) : platform.first();
}

MainWindow::MainWindow(const AppContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setWindowTitle(QStringLiteral("Velmora"));
    setObjectName(QStringLiteral("main"));
    setMinimumSize(1100, 640);
    resize(1180, 720);
    setUnifiedTitleAndToolBarOnMac(true);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // A window shown but never painted (covered from the start, say) still gets its contents, and
    // with them its menus' keys, soon after.
    if (!m_root)
        QTimer::singleShot(std::chrono::milliseconds(250), this, &MainWindow::buildContent);
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    if (!m_root && !m_contentQueued) {
        // Queued, so the frame being painted is finished and shown first.
        m_contentQueued = true;
        QMetaObject::invokeMethod(this, &MainWindow::buildContent, Qt::QueuedConnection);
    }
}

void MainWindow::buildContent()
{
    if (m_root)
        return;
    m_root = new RootView(m_context, this);
    setCentralWidget(m_root);

    m_toolbar = addToolBar(tr("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->toggleViewAction()->setEnabled(false);
    m_profileMenu = new ProfileMenu(m_context, m_toolbar);
    m_toolbar->addWidget(m_profileMenu);
    auto *spacer = new QWidget(m_toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolbar->addWidget(spacer);
    m_banner = new PendingRestartsBanner(m_context.engine, m_context.platform.symbols(), m_toolbar);
    m_bannerAction = m_toolbar->addWidget(m_banner);
    // The toolbar is as tall with the banner as without it: the page below stays where it is when
    // a change asks for a restart.
    m_toolbar->setMinimumHeight(m_toolbar->sizeHint().height());

    // Menus. There is deliberately no command that opens a second window. The profile commands are
    // the toolbar menu's own actions, so both places show the same keys.
    QMenu *file = menuBar()->addMenu(tr("&File"));
    m_profileMenu->saveAction()->setShortcut(QKeySequence::Save);
    m_profileMenu->loadAction()->setShortcut(QKeySequence::Open);
    file->addAction(m_profileMenu->saveAction());
    file->addAction(m_profileMenu->loadAction());
    file->addAction(m_profileMenu->exportAction());
    file->addAction(m_profileMenu->importScriptAction());
    file->addAction(m_profileMenu->undoAction());
    file->addSeparator();
    file->addAction(m_profileMenu->resetAction());
    file->addSeparator();
    QAction *quit = file->addAction(tr("Quit Velmora"), qApp, &QApplication::quit);
    quit->setShortcut(quitKeys());
    quit->setMenuRole(QAction::QuitRole);
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    QAction *find = edit->addAction(tr("Find"), m_root, &RootView::focusSearch);
    find->setShortcut(QKeySequence::Find);
    QMenu *window = menuBar()->addMenu(tr("&Window"));
    QAction *minimize = window->addAction(tr("Minimize"), this, &QWidget::showMinimized);
    minimize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    QAction *quickToggles = window->addAction(tr("Quick Toggles"), this, &MainWindow::quickTogglesRequested);
    quickToggles->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    m_helpMenu = menuBar()->addMenu(tr("&Help"));
    QAction *about = m_helpMenu->addAction(tr("About Velmora"), this, &MainWindow::showAbout);
    about->setMenuRole(QAction::AboutRole);

    connect(&m_context.engine, &TweakEngine::pendingRestartsChanged, this, &MainWindow::updateBanner);
    updateBanner();
    emit contentBuilt();
    // Parts added to a window on screen would show on a later event; whoever asked for them has
    // them shown now.
    if (isVisible()) {
        menuBar()->show();
        m_toolbar->show();
        m_root->show();
    }
    // The window became active while empty, with nothing to give the keyboard to: the first
    // control takes it now, as it would have then.
    if (isActiveWindow() && !focusWidget())
        focusNextPrevChild(true);
}

void MainWindow::showAbout()
{
    if (!m_about) {
        m_about = new AboutBox(this);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->open();
}

bool MainWindow::isRestartsBannerShown()
{
    buildContent();
    return m_bannerAction->isVisible();
}

void MainWindow::updateBanner()
{
    m_bannerAction->setVisible(!m_context.engine.pendingRestarts().isEmpty());
}

} // namespace velmora
