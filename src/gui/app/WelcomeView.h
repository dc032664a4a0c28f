#pragma once

#include <QWidget>

namespace velmora {

class SymbolImages;

/// Shown while no usable category is selected.
class WelcomeView : public QWidget {
    Q_OBJECT

public:
    explicit WelcomeView(const SymbolImages &symbols, QWidget *parent = nullptr);
};

} // namespace velmora
