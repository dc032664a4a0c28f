#include "DecimalSlider.h"

#include "Style.h"
#include "Tasks.h"
#include "WheelGuard.h"
#include "engine/TweakEngine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace velmora {

DecimalSlider::DecimalSlider(TweakEngine &engine, Tweak tweak, QWidget *parent)
    : QWidget(parent), m_engine(engine), m_tweak(std::move(tweak))
{
    const TweakKind::Decimal bounds = m_tweak.kind.decimalBounds();
    m_step = bounds.step > 0 ? bounds.step : 0.01;
    m_lower = bounds.min.value_or(0.0);
    m_upper = bounds.max.value_or(1.0);
    // A range narrower than one step still gets one step to slide over.
    if (!(m_upper > m_lower + m_step))
        m_upper = std::max(m_upper, m_lower + m_step);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, int(std::lround((m_upper - m_lower) / m_step)));
    m_slider->setSingleStep(1);
    m_slider->setPageStep(std::max(1, m_slider->maximum() / 10));
    m_slider->setFocusPolicy(Qt::StrongFocus);
    WheelGuard::install(m_slider);
    m_slider->setAccessibleName(m_tweak.title);
    m_label = new QLabel(this);
    m_label->setFont(Style::monospacedDigits(m_label->font()));
    m_label->setMinimumWidth(44);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Style::setSecondaryText(m_label);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_label);
    setFocusProxy(m_slider);

    connect(m_slider, &QSlider::sliderMoved, this, [this](int position) {
        m_localValue = valueAt(position);
        m_label->setText(valueText());
    });
    connect(m_slider, &QSlider::sliderReleased, this, [this] {
        if (m_localValue)
            applyValue(*m_localValue);
        m_localValue.reset();
        refresh();
    });
    // Keys and clicks on the groove change the value without a drag: each is a finished change.
    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        if (!m_slider->isSliderDown())
            applyValue(valueAt(position));
    });
    refresh();
}

double DecimalSlider::storedValue() const
{
    const TweakValue shown = m_engine.valueOrDefault(m_tweak);
    if (shown.isDouble())
        return shown.toDouble();
    return m_tweak.defaultValue.isDouble() ? m_tweak.defaultValue.toDouble() : 0.0;
}

double DecimalSlider::displayedValue() const
{
    return m_localValue.value_or(storedValue());
}

QString DecimalSlider::valueText() const
{
    return QString::asprintf("%.2f", displayedValue());
}

double DecimalSlider::valueAt(int position) const
{
    // Snap to the step grid and keep clear of rounding noise (0.1 * 3 is not 0.3).
    const double v = m_lower + position * m_step;
    return std::round(v * 1e9) / 1e9;
}

int DecimalSlider::positionOf(double value) const
{
    return int(std::lround((std::clamp(value, m_lower, m_upper) - m_lower) / m_step));
}

void DecimalSlider::applyValue(double value)
{
    if (value == storedValue() && m_engine.currentValues().contains(m_tweak.id))
        return;
    startTask(m_engine.apply(TweakValue::ofDouble(value), m_tweak), this);
}

void DecimalSlider::setValue(double value)
{
    const int position = positionOf(value);
    {
        const QSignalBlocker block(m_slider);
        m_slider->setValue(position);
    }
    // Applied even when the slider stays put: a stored value between two steps moves onto one.
    applyValue(valueAt(position));
    m_label->setText(valueText());
}

void DecimalSlider::refresh()
{
    if (!m_slider->isSliderDown()) {
        const QSignalBlocker block(m_slider);
        m_slider->setValue(positionOf(storedValue()));
    }
    m_label->setText(valueText());
}

} // namespace velmora
