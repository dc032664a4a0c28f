#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace velmora {

class SymbolImages;
class TweakEngine;

/// A slim line under the toolbar that shows the engine's last error while there is one, so no failed
/// write goes unnoticed. The user can dismiss it; a new error shows it again.
class ErrorStatusLine : public QWidget {
    Q_OBJECT

public:
    ErrorStatusLine(TweakEngine &engine, const SymbolImages &symbols, QWidget *parent = nullptr);

    QString text() const;
    QToolButton *dismissButton() const { return m_dismiss; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    TweakEngine &m_engine;
    QLabel *m_label;
    QToolButton *m_dismiss;
};

} // namespace velmora
