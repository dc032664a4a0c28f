#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace velmora {

class SymbolImages;
class TweakEngine;

/// The capsule in the toolbar: which processes wait for a restart, and "Apply" to restart them all.
class PendingRestartsBanner : public QWidget {
    Q_OBJECT

public:
    PendingRestartsBanner(TweakEngine &engine, const SymbolImages &symbols, QWidget *parent = nullptr);

    /// "Restart needed: " and the pending names in code-point order.
    static QString message(const TweakEngine &engine);
    QString text() const;
    QPushButton *applyButton() const { return m_apply; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    TweakEngine &m_engine;
    QLabel *m_label;
    QPushButton *m_apply;
};

} // namespace velmora
