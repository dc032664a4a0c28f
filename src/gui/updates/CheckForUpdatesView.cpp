#include "CheckForUpdatesView.h"

#include "updates/Updater.h"

#include <QAction>
#include <QMenu>

namespace velmora {

CheckForUpdatesView::CheckForUpdatesView(Updater &updater, QMenu *menu, QAction *before)
    : QObject(menu), m_updater(updater)
{
    m_action = new QAction(title(), menu);
    m_action->setObjectName(QStringLiteral("checkForUpdates"));
    // On a Mac, Qt moves an application-specific item into the application menu, where it belongs.
    m_action->setMenuRole(QAction::ApplicationSpecificRole);
    m_action->setEnabled(false);
    menu->insertAction(before, m_action);
    connect(menu, &QMenu::aboutToShow, this, &CheckForUpdatesView::refresh);
    connect(m_action, &QAction::triggered, this, [this] {
        // A check may have started since the menu opened (a scheduled one); the updater refuses
        // a second one itself.
        m_updater.checkForUpdates();
    });
}

void CheckForUpdatesView::refresh()
{
    m_action->setEnabled(m_updater.canCheckForUpdates());
}

} // namespace velmora
