#include "AccessibleDockRowList.h"

#include "AccessibleDockRow.h"
#include "DockRowListView.h"

namespace velmora {

namespace {

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(DockRowListView::staticMetaObject.className()))
        return new AccessibleDockRowList(static_cast<DockRowListView *>(object));
    return nullptr;
}

} // namespace

AccessibleDockRowList::AccessibleDockRowList(DockRowListView *view)
    : QAccessibleWidget(view, QAccessible::List)
{
}

AccessibleDockRowList::~AccessibleDockRowList()
{
    for (const auto &[index, id] : std::as_const(m_rows))
        QAccessible::deleteAccessibleInterface(id);
}

void AccessibleDockRowList::install()
{
    QAccessible::installFactory(makeInterface);
}

DockRowListView *AccessibleDockRowList::view() const
{
    return static_cast<DockRowListView *>(widget());
}

int AccessibleDockRowList::childCount() const
{
    return view()->model() ? view()->model()->rowCount() : 0;
}

QAccessibleInterface *AccessibleDockRowList::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    // Rows the model has dropped take their interfaces with them.
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        if (it->first.isValid()) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(it->second);
        it = m_rows.erase(it);
    }
    for (const auto &[row, id] : std::as_const(m_rows)) {
        if (row.row() == index)
            return QAccessible::accessibleInterface(id);
    }
    auto *row = new AccessibleDockRow(view(), view()->model()->index(index, 0));
    m_rows.append({row->index(), QAccessible::registerAccessibleInterface(row)});
    return row;
}

int AccessibleDockRowList::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &[row, id] : std::as_const(m_rows)) {
        if (row.isValid() && QAccessible::accessibleInterface(id) == child)
            return row.row();
    }
    return -1;
}

QAccessibleInterface *AccessibleDockRowList::childAt(int x, int y) const
{
    const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface *AccessibleDockRowList::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
}

} // namespace velmora
