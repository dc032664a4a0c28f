#pragma once

#include "catalogue/Tweak.h"

#include <QWidget>

#include <optional>

class QLabel;
class QSlider;

namespace velmora {

class TweakEngine;

/// A fractional tweak: a slider over the tweak's range in its steps, and the value with two decimals.
/// Dragging only moves the shown value; the value under the finger is applied once, when the drag
/// ends. A keyboard step is a whole change and applies at once.
class DecimalSlider : public QWidget {
    Q_OBJECT

public:
    DecimalSlider(TweakEngine &engine, Tweak tweak, QWidget *parent = nullptr);

    /// The engine's value when it is a double, else the tweak's default, else 0.
    double storedValue() const;
    /// The value under the finger while dragging, else the stored value.
    double displayedValue() const;
    double lower() const { return m_lower; }
    double upper() const { return m_upper; }
    double step() const { return m_step; }
    QSlider *slider() const { return m_slider; }
    QString valueText() const;

    /// Applies the step nearest to `value` within the range, as a keyboard step would.
    void setValue(double value);
    void refresh();

private:
    double valueAt(int position) const;
    int positionOf(double value) const;
    void applyValue(double value);

    TweakEngine &m_engine;
    Tweak m_tweak;
    double m_lower;
    double m_upper;
    double m_step;
    std::optional<double> m_localValue;
    QSlider *m_slider;
    QLabel *m_label;
};

} // namespace velmora
