#include "AccessibleDockRow.h"

#include "AccessibleDockRowButton.h"
#include "DockRowListView.h"
#include "dock/DockRow.h"
#include "dock/DockRowListModel.h"

#include <QWidget>

namespace velmora {

AccessibleDockRow::AccessibleDockRow(DockRowListView *view, const QModelIndex &index)
    : m_view(view), m_index(index)
{
}

AccessibleDockRow::~AccessibleDockRow()
{
    if (m_button)
        QAccessible::deleteAccessibleInterface(m_button);
}

QString AccessibleDockRow::title(const QModelIndex &index)
{
    const QString title = index.data(Qt::DisplayRole).toString();
    if (!title.isEmpty())
        return title;
    switch (DockRow::Icon(index.data(DockRowListModel::IconRole).toInt())) {
    case DockRow::Icon::spacerBar: return tr("Spacer");
    case DockRow::Icon::smallSpacerBar: return tr("Small Spacer");
    default: return tr("Untitled");
    }
}

bool AccessibleDockRow::isValid() const
{
    return m_view && m_index.isValid();
}

QObject *AccessibleDockRow::object() const
{
    return nullptr;
}

QWindow *AccessibleDockRow::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *AccessibleDockRow::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
}

QAccessibleInterface *AccessibleDockRow::child(int index) const
{
    if (index != 0 || !isValid())
        return nullptr;
    if (!m_button)
        m_button = QAccessible::registerAccessibleInterface(
            new AccessibleDockRowButton(m_view, m_index, const_cast<AccessibleDockRow *>(this)));
    return QAccessible::accessibleInterface(m_button);
}

int AccessibleDockRow::childCount() const
{
    return isValid() ? 1 : 0;
}

int AccessibleDockRow::indexOfChild(const QAccessibleInterface *child) const
{
    return m_button && child == QAccessible::accessibleInterface(m_button) ? 0 : -1;
}

QAccessibleInterface *AccessibleDockRow::childAt(int x, int y) const
{
    QAccessibleInterface *button = child(0);
    return button && button->rect().contains(x, y) ? button : nullptr;
}

QString AccessibleDockRow::text(QAccessible::Text t) const
{
    if (!isValid())
        return QString();
    switch (t) {
    case QAccessible::Name: {
        const QString path = m_index.data(DockRowListModel::PathRole).toString();
        return path.isEmpty() ? title(m_index) : title(m_index) + QStringLiteral(", ") + path;
    }
    case QAccessible::Description: return m_index.data(DockRowListModel::DetailRole).toString();
    default: return QString();
    }
}

void AccessibleDockRow::setText(QAccessible::Text, const QString &) {}

QRect AccessibleDockRow::rect() const
{
    if (!isValid())
        return QRect();
    const QRect shown = m_view->visualRect(m_index);
    return QRect(m_view->viewport()->mapToGlobal(shown.topLeft()), shown.size());
}

QAccessible::Role AccessibleDockRow::role() const
{
    return QAccessible::ListItem;
}

QAccessible::State AccessibleDockRow::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = m_view->selectionModel() && m_view->selectionModel()->isSelected(m_index);
    state.focused = m_view->hasFocus() && m_view->currentIndex() == m_index;
    // Scrolled out of sight, a row is still in the list a screen reader reads.
    state.offscreen = !m_view->viewport()->rect().intersects(m_view->visualRect(m_index));
    return state;
}

} // namespace velmora
