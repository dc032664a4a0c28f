#pragma once

#include "DockOtherEntry.h"
#include "DockRowListModel.h"

namespace velmora {

/// The folders, links and spacers of the Dock being edited, in Dock order: a row each, with a
/// remove button. Only `DockAppsViewModel` edits it, so that every edit counts as one.
class DockOtherListModel : public DockRowListModel {
    Q_OBJECT

public:
    using DockRowListModel::DockRowListModel;

    const QList<DockOtherEntry> &entries() const { return m_entries; }

private:
    friend class DockAppsViewModel;

    /// Takes the entries, announced as a new list when they differ from those held. Whether they differ.
    bool setEntries(const QList<DockOtherEntry> &entries);
    void append(const DockOtherEntry &entry);
    /// Removes the entries with `entryID`; whether there was one.
    bool removeID(const QUuid &entryID);
    bool move(const QList<int> &sources, int destination);

    int elementCount() const override { return int(m_entries.size()); }
    DockRow rowOf(int element) const override;

    QList<DockOtherEntry> m_entries;
};

} // namespace velmora
