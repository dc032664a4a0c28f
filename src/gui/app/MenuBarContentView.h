#pragma once

#include "catalogue/Tweak.h"

#include <QList>
#include <QWidget>

namespace velmora {

class SymbolImages;
class ToggleSwitch;
class TweakEngine;

/// The menu-bar panel: the first eight on/off tweaks of the catalogue, each applied and restarted at
/// once, and buttons to open the main window or quit.
class MenuBarContentView : public QWidget {
    Q_OBJECT

public:
    static constexpr int maximumToggles = 8;
    /// The margin around the panel's card that its shadow falls into.
    static constexpr int shadowMargin = 12;

    MenuBarContentView(TweakEngine &engine, const SymbolImages &symbols, QWidget *parent = nullptr);

    /// The toggle tweaks shown: the first eight in catalogue order.
    static QList<Tweak> shownTweaks(const TweakEngine &engine);
    /// What a switch shows: a bool value as it is, another case as off, no value as the default.
    static bool shownState(const TweakEngine &engine, const Tweak &tweak);

    QList<ToggleSwitch *> toggles() const { return m_toggles; }

    /// As tall as the wrapped titles need at the panel's fixed width.
    QSize sizeHint() const override;

signals:
    void openMainWindowRequested();
    void quitRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    TweakEngine &m_engine;
    QList<Tweak> m_tweaks;
    QList<ToggleSwitch *> m_toggles;
};

} // namespace velmora
