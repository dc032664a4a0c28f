#pragma once

#include "catalogue/Tweak.h"
#include "gui/kit/AppContext.h"

#include <QFrame>

class QComboBox;
class QLineEdit;
class QMenu;

namespace velmora {

class DecimalSlider;
class IntegerStepper;
class PathPickerControl;
class ToggleSwitch;

/// One tweak on a category page: title, summary and warning on the left, the control that fits its
/// kind on the right, and "Reset to Default" on a secondary click. Every change goes to the engine;
/// the control shows the engine's value (or the tweak's default) and follows it.
class TweakRowView : public QFrame {
    Q_OBJECT

public:
    TweakRowView(const AppContext &context, Tweak tweak, int rowMinHeight, int controlColumnWidth,
                 QWidget *parent = nullptr);

    const Tweak &tweak() const { return m_tweak; }

    /// The control of the tweak's kind (only one is set).
    ToggleSwitch *toggle() const { return m_toggle; }
    QComboBox *picker() const { return m_picker; }
    QLineEdit *textField() const { return m_text; }
    PathPickerControl *pathPicker() const { return m_path; }
    IntegerStepper *stepper() const { return m_stepper; }
    DecimalSlider *slider() const { return m_slider; }

    /// The row's context menu (built on demand; tests trigger its action).
    QMenu *contextMenu();
    void resetToDefault();

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeControl();
    void showValue();
    void applyAndShow(const TweakValue &value);

    AppContext m_context;
    Tweak m_tweak;
    ToggleSwitch *m_toggle = nullptr;
    QComboBox *m_picker = nullptr;
    QLineEdit *m_text = nullptr;
    PathPickerControl *m_path = nullptr;
    IntegerStepper *m_stepper = nullptr;
    DecimalSlider *m_slider = nullptr;
    QMenu *m_menu = nullptr;
};

} // namespace velmora
