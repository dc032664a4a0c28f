#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace velmora {

class SymbolImages;

/// Draws a row of a `DockRowListModel` from its roles: the 32-point icon (or a spacer's bar), the
/// title over the path and the display mode, and the trailing round button ("minus.circle.fill" in
/// red to remove, "plus.circle.fill" in green to add). A click on the button emits `actionTriggered`.
/// Icons of files come from `fileIcons` when a row is drawn, so a long list opens at once.
class DockRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    /// `home` is the home folder, which a row's path shows as "~".
    DockRowDelegate(const SymbolImages &symbols, std::function<QIcon(const QString &)> fileIcons,
                    QString home, QObject *parent = nullptr);

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
    std::function<QIcon(const QString &)> m_fileIcons;
    QString m_home;
    int m_pressedRow = -1;
};

} // namespace velmora
