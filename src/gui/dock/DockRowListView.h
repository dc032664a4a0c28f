#pragma once

#include <QListView>
#include <QPixmap>

namespace velmora {

class DockRowDelegate;

/// A list of the Dock editor: rows drawn by `DockRowDelegate`, and, when reorderable, rows dragged
/// with the mouse to a new place (the row follows the pointer and a line shows where it will land)
/// or moved with Alt+Up and Alt+Down. Delete and Backspace trigger a row's remove button; Return and Enter
/// its add button.
class DockRowListView : public QListView {
    Q_OBJECT

public:
    DockRowListView(DockRowDelegate *delegate, bool reorderable, QWidget *parent = nullptr);

    /// The row a drop at `point` (viewport coordinates) would land before; the row count at the end.
    int dropRow(const QPoint &point) const;
    /// Where the dragged row is drawn under the pointer (viewport coordinates); empty when no drag.
    QRect dragRect() const;

signals:
    /// The row at `source` is to go before the row at `destination` (the end at the row count).
    void moveRequested(int source, int destination);
    void actionRequested(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void startDrag();
    void endDrag();

    bool m_reorderable;
    int m_pressRow = -1;
    QPoint m_pressPoint;
    bool m_dragging = false;
    int m_dropRow = -1;
    QPixmap m_dragImage;
    QPoint m_dragOffset; // from the pointer to the dragged row's top left
    QPoint m_pointer;
};

} // namespace velmora
