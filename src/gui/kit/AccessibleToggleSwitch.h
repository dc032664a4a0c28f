#pragma once

#include <QAccessibleWidget>

namespace velmora {

class ToggleSwitch;

/// A switch as assistive technology sees it: a check box with its checked state, toggled by its
/// action the way a click toggles it, so the change is applied like one.
class AccessibleToggleSwitch : public QAccessibleWidget {
public:
    explicit AccessibleToggleSwitch(ToggleSwitch *toggle);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    ToggleSwitch *toggle() const;
};

} // namespace velmora
