#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace velmora {

class Updater;

/// The menu item "Check for Updates…". Its enabled state is the updater's `canCheckForUpdates`,
/// read each time its menu opens, so the user always sees the current state; before the menu has
/// ever opened it is disabled.
class CheckForUpdatesView : public QObject {
    Q_OBJECT

public:
    /// Adds the item to `menu`, before `before` (at the end when null).
    CheckForUpdatesView(Updater &updater, QMenu *menu, QAction *before = nullptr);

    static QString title() { return tr("Check for Updates…"); }

    QAction *action() const { return m_action; }

private:
    void refresh();

    Updater &m_updater;
    QAction *m_action;
};

} // namespace velmora
