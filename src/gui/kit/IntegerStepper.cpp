#include "IntegerStepper.h"

#include "Style.h"
#include "Tasks.h"
#include "engine/TweakEngine.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace velmora {

namespace {

// A stepper without bounds of its own stops at ±2^62, far from any overflow when stepping.
constexpr qint64 kUnboundedMin = -4611686018427387904LL;
constexpr qint64 kUnboundedMax = 4611686018427387903LL;

QToolButton *stepButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setAccessibleName(name);
    button->setAutoRaise(false);
    button->setFixedSize(24, 22);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

IntegerStepper::IntegerStepper(TweakEngine &engine, Tweak tweak, QWidget *parent)
    : QWidget(parent), m_engine(engine), m_tweak(std::move(tweak))
{
    const TweakKind::Integer bounds = m_tweak.kind.integerBounds();
    m_min = bounds.min.value_or(kUnboundedMin);
    m_max = bounds.max.value_or(kUnboundedMax);
    // Bounds that cannot form a range are clamped into one.
    if (m_max < m_min)
        m_max = m_min;
    m_step = bounds.step > 0 ? bounds.step : 1;
    setAccessibleName(m_tweak.title);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    m_label = new QLabel(this);
    m_label->setFont(Style::monospacedDigits(m_label->font()));
    m_label->setMinimumWidth(44);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Style::setSecondaryText(m_label);
    m_down = stepButton(QStringLiteral("−"), tr("Decrement"), this);
    m_up = stepButton(QStringLiteral("+"), tr("Increment"), this);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(m_down);
    buttons->addWidget(m_up);
    layout->addStretch(1);
    layout->addWidget(m_label);
    layout->addLayout(buttons);

    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_up);
    refresh();
}

qint64 IntegerStepper::value() const
{
    const TweakValue shown = m_engine.valueOrDefault(m_tweak);
    if (shown.isInt())
        return shown.toInt();
    return m_tweak.defaultValue.isInt() ? m_tweak.defaultValue.toInt() : 0;
}

void IntegerStepper::stepBy(int steps)
{
    const qint64 current = std::clamp(value(), m_min, m_max);
    // Computed in a wider type so a step near the bounds cannot overflow.
    const __int128 wanted = __int128(current) + __int128(steps) * m_step;
    setValue(qint64(std::clamp<__int128>(wanted, m_min, m_max)));
}

void IntegerStepper::setValue(qint64 value)
{
    const qint64 next = std::clamp(value, m_min, m_max);
    if (next == this->value())
        return;
    startTask(m_engine.apply(TweakValue::ofInt(next), m_tweak), this);
}

void IntegerStepper::refresh()
{
    const qint64 v = value();
    m_label->setText(QString::number(v));
    m_down->setEnabled(v > m_min);
    m_up->setEnabled(v < m_max);
    QAccessibleValueChangeEvent changed(this, v);
    QAccessible::updateAccessibility(&changed);
}

void IntegerStepper::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up: stepBy(1); return;
    case Qt::Key_Down: stepBy(-1); return;
    case Qt::Key_PageUp: stepBy(10); return;
    case Qt::Key_PageDown: stepBy(-10); return;
    default: QWidget::keyPressEvent(event);
    }
}

} // namespace velmora
