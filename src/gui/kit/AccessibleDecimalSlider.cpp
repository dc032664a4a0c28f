#include "AccessibleDecimalSlider.h"

#include "DecimalSlider.h"

#include <QSlider>

#include <cmath>

namespace velmora {

AccessibleDecimalSlider::AccessibleDecimalSlider(QSlider *slider, DecimalSlider *control)
    : QAccessibleWidget(slider, QAccessible::Slider), m_control(control)
{
}

void *AccessibleDecimalSlider::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleDecimalSlider::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return m_control->valueText();
    return QAccessibleWidget::text(t);
}

QStringList AccessibleDecimalSlider::actionNames() const
{
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

void AccessibleDecimalSlider::doAction(const QString &actionName)
{
    if (actionName == increaseAction())
        m_control->setValue(m_control->displayedValue() + m_control->step());
    else if (actionName == decreaseAction())
        m_control->setValue(m_control->displayedValue() - m_control->step());
    else
        QAccessibleWidget::doAction(actionName);
}

QVariant AccessibleDecimalSlider::currentValue() const
{
    return m_control->displayedValue();
}

void AccessibleDecimalSlider::setCurrentValue(const QVariant &value)
{
    bool ok = false;
    const double wanted = value.toDouble(&ok);
    if (ok && std::isfinite(wanted))
        m_control->setValue(wanted);
}

QVariant AccessibleDecimalSlider::maximumValue() const
{
    return m_control->upper();
}

QVariant AccessibleDecimalSlider::minimumValue() const
{
    return m_control->lower();
}

QVariant AccessibleDecimalSlider::minimumStepSize() const
{
    return m_control->step();
}

} // namespace velmora
