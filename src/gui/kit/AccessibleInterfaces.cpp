#include "AccessibleInterfaces.h"

#include "AccessibleDecimalSlider.h"
#include "AccessiblePicker.h"
#include "AccessibleStepper.h"
#include "AccessibleToggleSwitch.h"
#include "DecimalSlider.h"
#include "IntegerStepper.h"
#include "ToggleSwitch.h"

#include <QComboBox>
#include <QSlider>

namespace velmora {

namespace {

// Asked for each class of an object's ancestry, the most derived first, before Qt's own factory.
QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(ToggleSwitch::staticMetaObject.className()))
        return new AccessibleToggleSwitch(static_cast<ToggleSwitch *>(object));
    if (className == QLatin1String(IntegerStepper::staticMetaObject.className()))
        return new AccessibleStepper(static_cast<IntegerStepper *>(object));
    if (className == QLatin1String("QComboBox"))
        return new AccessiblePicker(static_cast<QComboBox *>(object));
    if (className == QLatin1String("QSlider")) {
        if (auto *control = qobject_cast<DecimalSlider *>(object->parent()))
            return new AccessibleDecimalSlider(static_cast<QSlider *>(object), control);
    }
    return nullptr;
}

} // namespace

void AccessibleInterfaces::install()
{
    QAccessible::installFactory(makeInterface);
}

} // namespace velmora
