#pragma once

#include "AvailableAppListModel.h"
#include "DockAppListModel.h"
#include "DockOtherListModel.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QObject>

#include <optional>

namespace velmora {

class Platform;

/// The Dock editor's model: an editable copy of the Dock's two parts, the installed applications
/// offered for adding, and the search text. It writes the Dock itself (not through the engine);
/// each write restarts the Dock. Lives on the UI thread; every property announces its changes, and
/// setting the value already held announces nothing. The three lists the editor shows are item
/// models as well, announcing each row an edit, a search or a scan adds, removes or moves.
class DockAppsViewModel : public QObject {
    Q_OBJECT

public:
    explicit DockAppsViewModel(Platform &platform, QObject *parent = nullptr);

    const QList<DockAppEntry> &currentApps() const { return m_apps->entries(); }
    const QList<DockOtherEntry> &currentOthers() const { return m_others->entries(); }
    const QList<InstalledApp> &installedApps() const { return m_installedApps; }
    const QString &searchText() const { return m_searchText; }
    /// Whether the lists hold edits that were neither applied nor reverted.
    bool isDirty() const { return m_isDirty; }
    /// Whether the installed applications are being scanned.
    bool isLoading() const { return m_isLoading; }
    /// Whether an apply is writing the Dock.
    bool isApplying() const { return m_applying > 0; }
    /// Why the last apply did not fully succeed; cleared by the next load, revert or apply.
    const std::optional<QString> &lastError() const { return m_lastError; }

    /// The installed applications not in the Dock (by standardized URL) whose name contains the
    /// trimmed search text, ignoring case; all of them when the search is blank.
    const QList<InstalledApp> &availableApps() const { return m_available->apps(); }

    /// `currentApps`, `currentOthers` and `availableApps` as the editor's lists show them.
    DockAppListModel *appsModel() const { return m_apps; }
    DockOtherListModel *othersModel() const { return m_others; }
    AvailableAppListModel *availableModel() const { return m_available; }

    void setSearchText(const QString &text);

    /// Reads both parts of the Dock, then scans the installed applications in the background.
    QCoro::Task<> load();
    /// Reads both parts again, throwing the edits away. Does not scan again.
    QCoro::Task<> revert();
    /// Writes both parts, restarting the Dock after each. Edits made while it writes stay unapplied.
    QCoro::Task<> apply();

    void addApp(const InstalledApp &app);
    /// Removes every entry with the entry's URL.
    void removeApp(const DockAppEntry &entry);
    /// Moves the entries at `sources` before the entry at `destination` (the end when it is the
    /// list's length), keeping their order.
    void moveApps(const QList<int> &sources, int destination);
    /// Adds a folder shown as "Automatic" and sorted by name, labelled with its last path component.
    void addFolder(const QUrl &url);
    void addSpacer(bool small);
    /// Removes the entry with the entry's identity.
    void removeOther(const DockOtherEntry &entry);
    void moveOthers(const QList<int> &sources, int destination);

signals:
    void currentAppsChanged();
    void currentOthersChanged();
    void installedAppsChanged();
    void searchTextChanged();
    void isDirtyChanged();
    void isLoadingChanged();
    void isApplyingChanged();
    void lastErrorChanged();

private:
    void setInstalledApps(const QList<InstalledApp> &apps);
    void setDirty(bool dirty);
    void setLoading(bool loading);
    void setLastError(const std::optional<QString> &error);
    void readDock();
    void announceApps();
    void edited();
    QList<InstalledApp> filterInstalledApps() const;

    Platform *m_platform;
    DockAppListModel *m_apps;
    DockOtherListModel *m_others;
    AvailableAppListModel *m_available;
    QList<InstalledApp> m_installedApps;
    QString m_searchText;
    bool m_isDirty = false;
    bool m_isLoading = false;
    int m_applying = 0;
    std::optional<QString> m_lastError;
    /// Counts edits, so an apply or load can tell whether the lists changed while it waited.
    quint64 m_edits = 0;
};

} // namespace velmora
