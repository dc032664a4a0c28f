#pragma once

#include "DockAppEntry.h"
#include "DockRowListModel.h"

namespace velmora {

/// The applications in the Dock being edited, in Dock order: a row each, with a remove button.
/// Only `DockAppsViewModel` edits it, so that every edit counts as one.
class DockAppListModel : public DockRowListModel {
    Q_OBJECT

public:
    using DockRowListModel::DockRowListModel;

    const QList<DockAppEntry> &entries() const { return m_entries; }

private:
    friend class DockAppsViewModel;

    /// Takes the entries, announced as a new list when they differ from those held (an entry read
    /// afresh may carry other tile keys, so equal entries are taken too, silently). Whether they differ.
    bool setEntries(const QList<DockAppEntry> &entries);
    void append(const DockAppEntry &entry);
    /// Removes every entry with `url`; whether there was one.
    bool removeURL(const QUrl &url);
    bool move(const QList<int> &sources, int destination);

    int elementCount() const override { return int(m_entries.size()); }
    DockRow rowOf(int element) const override;

    QList<DockAppEntry> m_entries;
};

} // namespace velmora
