#pragma once

#include <QAbstractButton>

namespace velmora {

class SymbolImages;

/// The "Choose Image" control: a symbol and its label in white on an accent-coloured rounded
/// rectangle that dims while it is held down. A button to the keyboard (Tab, Space) and to
/// accessibility, labelled "Choose Image".
class ChooseImageTapTarget : public QAbstractButton {
    Q_OBJECT

public:
    explicit ChooseImageTapTarget(const SymbolImages &symbols, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont labelFont() const;

    const SymbolImages &m_symbols;
};

} // namespace velmora
