#include "DockAppListModel.h"

namespace velmora {

bool DockAppListModel::setEntries(const QList<DockAppEntry> &entries)
{
    if (m_entries == entries) {
        m_entries = entries;
        return false;
    }
    resetElements(m_entries, entries);
    return true;
}

void DockAppListModel::append(const DockAppEntry &entry)
{
    appendElement(m_entries, entry);
}

bool DockAppListModel::removeURL(const QUrl &url)
{
    return removeElements(m_entries, [this, &url](int i) { return m_entries.at(i).url == url; });
}

bool DockAppListModel::move(const QList<int> &sources, int destination)
{
    return moveElements(m_entries, sources, destination);
}

DockRow DockAppListModel::rowOf(int element) const
{
    const DockAppEntry &entry = m_entries.at(element);
    DockRow row;
    row.title = entry.label;
    row.path = shownPath(entry.url);
    row.iconPath = row.path;
    row.action = DockRow::Action::remove;
    return row;
}

} // namespace velmora
