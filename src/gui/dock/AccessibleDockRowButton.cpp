#include "AccessibleDockRowButton.h"

#include "AccessibleDockRow.h"
#include "DockRowDelegate.h"
#include "DockRowListView.h"
#include "dock/DockRow.h"
#include "dock/DockRowListModel.h"

#include <QWidget>

namespace velmora {

AccessibleDockRowButton::AccessibleDockRowButton(DockRowListView *view, const QPersistentModelIndex &index,
                                                 QAccessibleInterface *row)
    : m_view(view), m_index(index), m_row(row)
{
}

void *AccessibleDockRowButton::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
}

bool AccessibleDockRowButton::isValid() const
{
    return m_view && m_index.isValid();
}

QObject *AccessibleDockRowButton::object() const
{
    return nullptr;
}

QWindow *AccessibleDockRowButton::window() const
{
    return m_row->window();
}

QAccessibleInterface *AccessibleDockRowButton::parent() const
{
    return m_row;
}

QAccessibleInterface *AccessibleDockRowButton::child(int) const
{
    return nullptr;
}

int AccessibleDockRowButton::childCount() const
{
    return 0;
}

int AccessibleDockRowButton::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *AccessibleDockRowButton::childAt(int, int) const
{
    return nullptr;
}

QString AccessibleDockRowButton::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return QString();
    const QString title = AccessibleDockRow::title(m_index);
    return DockRow::Action(m_index.data(DockRowListModel::ActionRole).toInt()) == DockRow::Action::add
               ? tr("Add %1 to Dock").arg(title)
               : tr("Remove %1 from Dock").arg(title);
}

void AccessibleDockRowButton::setText(QAccessible::Text, const QString &) {}

QRect AccessibleDockRowButton::rect() const
{
    if (!isValid())
        return QRect();
    const QRect button = DockRowDelegate::buttonRect(m_view->visualRect(m_index));
    return QRect(m_view->viewport()->mapToGlobal(button.topLeft()), button.size());
}

QAccessible::Role AccessibleDockRowButton::role() const
{
    return QAccessible::Button;
}

QAccessible::State AccessibleDockRowButton::state() const
{
    QAccessible::State state = m_row->state();
    state.selectable = state.selected = state.focusable = state.focused = false;
    state.invalid = !isValid();
    return state;
}

QStringList AccessibleDockRowButton::actionNames() const
{
    return {pressAction()};
}

void AccessibleDockRowButton::doAction(const QString &actionName)
{
    if (actionName != pressAction() || !isValid())
        return;
    // After the caller is done with this interface: the action may remove the row, and it with it.
    const int row = m_index.row();
    DockRowListView *view = m_view;
    QMetaObject::invokeMethod(
        view, [view, row] { emit view->actionRequested(row); }, Qt::QueuedConnection);
}

QStringList AccessibleDockRowButton::keyBindingsForAction(const QString &) const
{
    return {};
}

} // namespace velmora
