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
    // Focus lands on one of the buttons, whose own arrow keys would move focus to the other one: the
    // stepper takes its keys first, whichever part has focus.
    m_down->installEventFilter(this);
    m_up->installEventFilter(this);
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
    const bool canGoDown = v > m_min;
    const bool canGoUp = v < m_max;
    // A focused button that is switched off hands focus to the next control on the page, which the
    // next arrow key would then change: at a bound, focus stays in the stepper on its other button.
    if (!canGoUp && canGoDown && m_up->hasFocus())
        m_down->setFocus(Qt::OtherFocusReason);
    if (!canGoDown && canGoUp && m_down->hasFocus())
        m_up->setFocus(Qt::OtherFocusReason);
    m_down->setEnabled(canGoDown);
    m_up->setEnabled(canGoUp);
    QAccessibleValueChangeEvent changed(this, v);
    QAccessible::updateAccessibility(&changed);
}

bool IntegerStepper::stepForKey(int key)
{
    switch (key) {
    case Qt::Key_Up: stepBy(1); return true;
    case Qt::Key_Down: stepBy(-1); return true;
    case Qt::Key_PageUp: stepBy(10); return true;
    case Qt::Key_PageDown: stepBy(-10); return true;
    default: return false;
    }
}

void IntegerStepper::keyPressEvent(QKeyEvent *event)
{
    if (!stepForKey(event->key()))
        QWidget::keyPressEvent(event);
}

bool IntegerStepper::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_down || watched == m_up) && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (stepForKey(key->key()))
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velmora
