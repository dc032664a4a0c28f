#pragma once

#include <QStyledItemDelegate>

namespace velmora {

class SymbolImages;

/// Draws a `DockRow`: the 32-point icon (or a spacer's bar), the title over the path and the
/// display mode, and the trailing round button ("minus.circle.fill" in red to remove,
/// "plus.circle.fill" in green to add). A click on the button emits `actionTriggered`.
class DockRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit DockRowDelegate(const SymbolImages &symbols, QObject *parent = nullptr);

    /// Where the row's button is drawn, in the view's coordinates.
    static QRect buttonRect(const QRect &rowRect);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

signals:
    void actionTriggered(int row);

private:
    const SymbolImages &m_symbols;
    int m_pressedRow = -1;
};

} // namespace velmora
