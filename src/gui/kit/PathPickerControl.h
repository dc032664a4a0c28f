#pragma once

#include "catalogue/Tweak.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace velmora {

class Panels;
class Platform;
class TweakEngine;

/// A folder tweak: the current path, shortened in the middle, and "Choose…", which asks for a folder
/// and applies its plain path.
class PathPickerControl : public QWidget {
    Q_OBJECT

public:
    PathPickerControl(TweakEngine &engine, Panels &panels, Tweak tweak, QWidget *parent = nullptr);

    QString shownText() const;
    QPushButton *chooseButton() const { return m_choose; }
    void refresh();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void choose();

    TweakEngine &m_engine;
    Panels &m_panels;
    Tweak m_tweak;
    QLabel *m_label;
    QPushButton *m_choose;
};

} // namespace velmora
