#pragma once

#include <QObject>

class QWidget;

namespace velmora {

/// Keeps the mouse wheel from changing a control the pointer merely passes over while the page
/// scrolls: an unfocused control hands the wheel on to the page around it. A control the user has
/// put focus in (by clicking it or with Tab) takes the wheel as usual.
class WheelGuard : public QObject {
    Q_OBJECT

public:
    /// Guards `control` for as long as it lives; the wheel no longer gives it focus.
    static void install(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

} // namespace velmora
