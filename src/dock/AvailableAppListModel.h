#pragma once

#include "DockRowListModel.h"
#include "InstalledApp.h"

namespace velmora {

/// The installed applications offered for adding to the Dock, in scan order: a row each, with an
/// add button. `DockAppsViewModel` keeps it equal to its `availableApps`.
class AvailableAppListModel : public DockRowListModel {
    Q_OBJECT

public:
    using DockRowListModel::DockRowListModel;

    const QList<InstalledApp> &apps() const { return m_apps; }

private:
    friend class DockAppsViewModel;

    /// Takes `apps`, announcing the rows that go, come, move or change (applications are told apart
    /// by URL), never a new list: a search or a scan keeps the rows that stay selected.
    void setApps(const QList<InstalledApp> &apps);

    int elementCount() const override { return int(m_apps.size()); }
    DockRow rowOf(int element) const override;

    QList<InstalledApp> m_apps;
};

} // namespace velmora
