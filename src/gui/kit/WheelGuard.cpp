#include "WheelGuard.h"

#include <QEvent>
#include <QWidget>

namespace velmora {

void WheelGuard::install(QWidget *control)
{
    if (control->focusPolicy() == Qt::WheelFocus)
        control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(new WheelGuard(control));
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && !static_cast<QWidget *>(watched)->hasFocus()) {
        // Ignored, the event goes on to the parents: the scroll area around the control scrolls.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmora
