#pragma once

#include <QAccessibleWidget>

class QSlider;

namespace velmora {

class DecimalSlider;

/// The slider of a `DecimalSlider` as assistive technology sees it: its value in the tweak's own
/// units (seconds, a factor), not the slider's step count. A set value is snapped to the nearest
/// step within the range and applied.
class AccessibleDecimalSlider : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    AccessibleDecimalSlider(QSlider *slider, DecimalSlider *control);

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
    DecimalSlider *m_control;
};

} // namespace velmora
