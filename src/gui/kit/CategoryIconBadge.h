#pragma once

#include "catalogue/TweakCategory.h"

#include <QWidget>

namespace velmora {

class SymbolImages;

/// A category's icon: its symbol in white on a rounded square filled with the gradient of its tint.
/// The sidebar uses it 20 points wide (symbol 11 points, corner radius 5); a category page's header
/// 56 points wide (symbol 28 points, corner radius 14).
class CategoryIconBadge : public QWidget {
    Q_OBJECT

public:
    CategoryIconBadge(const SymbolImages &symbols, TweakCategory category, int side, int symbolSize,
                      qreal cornerRadius, QWidget *parent = nullptr);

    void setCategory(const TweakCategory &category);
    const TweakCategory &category() const { return m_category; }

    /// The badge as a picture, for list rows.
    static QPixmap render(const SymbolImages &symbols, const TweakCategory &category, int side,
                          int symbolSize, qreal cornerRadius, qreal devicePixelRatio);

    QSize sizeHint() const override { return QSize(m_side, m_side); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SymbolImages &m_symbols;
    TweakCategory m_category;
    int m_side;
    int m_symbolSize;
    qreal m_cornerRadius;
};

} // namespace velmora
