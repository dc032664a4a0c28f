#pragma once

#include <QAccessibleWidget>

namespace velmora {

class IntegerStepper;

/// A stepper as assistive technology sees it: a spin box named by its tweak, whose value can be read
/// and set (a set value is clamped to the bounds and applied), and stepped by its actions.
class AccessibleStepper : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleStepper(IntegerStepper *stepper);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    IntegerStepper *stepper() const;
};

} // namespace velmora
