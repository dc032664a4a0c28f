#pragma once

#include "catalogue/Tweak.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace velmora {

class TweakEngine;

/// A whole-number tweak: its value and a stepper. Each press moves the value by the tweak's step
/// within its bounds and applies it at once. Up and Down (and Page Up/Down) step from the keyboard.
class IntegerStepper : public QWidget {
    Q_OBJECT

public:
    IntegerStepper(TweakEngine &engine, Tweak tweak, QWidget *parent = nullptr);

    /// The value shown: the engine's when it is an integer, else the tweak's default, else 0.
    qint64 value() const;
    qint64 minimum() const { return m_min; }
    qint64 maximum() const { return m_max; }
    qint64 step() const { return m_step; }

    void stepBy(int steps);
    /// Applies `value`, held within the bounds, unless it is the value shown.
    void setValue(qint64 value);
    void refresh();

    QToolButton *decrementButton() const { return m_down; }
    QToolButton *incrementButton() const { return m_up; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Steps for a stepping key, true when the key was one.
    bool stepForKey(int key);

    TweakEngine &m_engine;
    Tweak m_tweak;
    qint64 m_min;
    qint64 m_max;
    qint64 m_step;
    QLabel *m_label;
    QToolButton *m_down;
    QToolButton *m_up;
};

} // namespace velmora
