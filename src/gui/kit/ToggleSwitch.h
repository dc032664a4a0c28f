#pragma once

#include <QAbstractButton>

namespace velmora {

/// An on/off switch: a rounded track with a sliding knob. Checkable; Space toggles it from the
/// keyboard and Tab reaches it like any button. `toggled` fires for every change, `clicked` only
/// for the user's.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT

public:
    enum class Size { regular, small };

    explicit ToggleSwitch(QWidget *parent = nullptr, Size size = Size::regular);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    Size m_size;
};

} // namespace velmora
