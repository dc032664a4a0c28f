#include "AccessibleToggleSwitch.h"

#include "ToggleSwitch.h"

namespace velmora {

AccessibleToggleSwitch::AccessibleToggleSwitch(ToggleSwitch *toggle)
    : QAccessibleWidget(toggle, QAccessible::CheckBox)
{
}

ToggleSwitch *AccessibleToggleSwitch::toggle() const
{
    return static_cast<ToggleSwitch *>(widget());
}

QAccessible::State AccessibleToggleSwitch::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = toggle()->isChecked();
    return state;
}

QStringList AccessibleToggleSwitch::actionNames() const
{
    return QStringList{toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleToggleSwitch::doAction(const QString &actionName)
{
    // A click, not a bare toggle: the row applies what the user clicks, never a state set in code.
    if (actionName == toggleAction() || actionName == pressAction()) {
        if (toggle()->isEnabled())
            toggle()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

} // namespace velmora
