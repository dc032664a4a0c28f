#include "AccessiblePicker.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace velmora {

AccessiblePicker::AccessiblePicker(QComboBox *picker) : QAccessibleWidget(picker, QAccessible::ComboBox) {}

QComboBox *AccessiblePicker::picker() const
{
    return static_cast<QComboBox *>(widget());
}

QString AccessiblePicker::text(QAccessible::Text t) const
{
    const QString shown = picker()->isEditable() ? picker()->lineEdit()->text() : picker()->currentText();
    if (t == QAccessible::Value)
        return shown;
    const QString own = QAccessibleWidget::text(t);
    return t == QAccessible::Name && own.isEmpty() ? shown : own;
}

QAccessible::State AccessiblePicker::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = picker()->view()->isVisible();
    state.collapsed = !state.expanded;
    state.editable = picker()->isEditable();
    return state;
}

int AccessiblePicker::childCount() const
{
    return picker()->view() ? 1 : 0;
}

QAccessibleInterface *AccessiblePicker::child(int index) const
{
    return index == 0 && picker()->view() ? QAccessible::queryAccessibleInterface(picker()->view()) : nullptr;
}

int AccessiblePicker::indexOfChild(const QAccessibleInterface *child) const
{
    return child && picker()->view() && child->object() == picker()->view() ? 0 : -1;
}

QStringList AccessiblePicker::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void AccessiblePicker::doAction(const QString &actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction()) {
        if (picker()->view()->isVisible())
            picker()->hidePopup();
        else
            picker()->showPopup();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

} // namespace velmora
