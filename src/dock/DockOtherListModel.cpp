#include "DockOtherListModel.h"

#include "DockDisplayMode.h"

namespace velmora {

bool DockOtherListModel::setEntries(const QList<DockOtherEntry> &entries)
{
    if (m_entries == entries) {
        m_entries = entries;
        return false;
    }
    resetElements(m_entries, entries);
    return true;
}

void DockOtherListModel::append(const DockOtherEntry &entry)
{
    appendElement(m_entries, entry);
}

bool DockOtherListModel::removeID(const QUuid &entryID)
{
    return removeElements(m_entries, [this, &entryID](int i) { return m_entries.at(i).entryID == entryID; });
}

bool DockOtherListModel::move(const QList<int> &sources, int destination)
{
    return moveElements(m_entries, sources, destination);
}

DockRow DockOtherListModel::rowOf(int element) const
{
    const DockOtherEntry &entry = m_entries.at(element);
    DockRow row;
    row.title = entry.label;
    row.action = DockRow::Action::remove;
    if (entry.url)
        row.path = shownPath(*entry.url);
    switch (entry.itemType) {
    case DockItemType::spacer:
    case DockItemType::smallSpacer:
        row.icon =
            entry.itemType == DockItemType::spacer ? DockRow::Icon::spacerBar : DockRow::Icon::smallSpacerBar;
        row.secondaryTitle = true;
        row.verticalPadding = 0;
        break;
    case DockItemType::folder:
        if (entry.url) {
            row.icon = DockRow::Icon::file;
            row.iconPath = row.path;
        } else {
            row.icon = DockRow::Icon::folderSymbol;
        }
        if (entry.displayAs) {
            const std::optional<DockDisplayMode> mode = dockDisplayMode(*entry.displayAs);
            if (!mode)
                row.detail = tr("Display as: %1").arg(*entry.displayAs);
            else if (*mode == DockDisplayMode::stack)
                row.detail = tr("Display as: Stack");
            else if (*mode == DockDisplayMode::folder)
                row.detail = tr("Display as: Folder");
            else
                row.detail = tr("Display as: Automatic");
        }
        break;
    case DockItemType::url: row.icon = DockRow::Icon::linkSymbol; break;
    case DockItemType::app: row.icon = DockRow::Icon::appSymbol; break;
    }
    return row;
}

} // namespace velmora
