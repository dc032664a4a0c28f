#include "AccessibleStepper.h"

#include "IntegerStepper.h"

#include <algorithm>
#include <cmath>

namespace velmora {

AccessibleStepper::AccessibleStepper(IntegerStepper *stepper)
    : QAccessibleWidget(stepper, QAccessible::SpinBox)
{
}

IntegerStepper *AccessibleStepper::stepper() const
{
    return static_cast<IntegerStepper *>(widget());
}

void *AccessibleStepper::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleStepper::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QString::number(stepper()->value());
    return QAccessibleWidget::text(t);
}

QStringList AccessibleStepper::actionNames() const
{
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

void AccessibleStepper::doAction(const QString &actionName)
{
    if (actionName == increaseAction())
        stepper()->stepBy(1);
    else if (actionName == decreaseAction())
        stepper()->stepBy(-1);
    else
        QAccessibleWidget::doAction(actionName);
}

QVariant AccessibleStepper::currentValue() const
{
    return stepper()->value();
}

void AccessibleStepper::setCurrentValue(const QVariant &value)
{
    bool ok = false;
    // Assistive technology hands over doubles as often as integers.
    const double wanted = value.toDouble(&ok);
    if (ok && std::isfinite(wanted))
        stepper()->setValue(qint64(
            std::clamp(std::round(wanted), double(stepper()->minimum()), double(stepper()->maximum()))));
}

QVariant AccessibleStepper::maximumValue() const
{
    return stepper()->maximum();
}

QVariant AccessibleStepper::minimumValue() const
{
    return stepper()->minimum();
}

QVariant AccessibleStepper::minimumStepSize() const
{
    return stepper()->step();
}

} // namespace velmora
