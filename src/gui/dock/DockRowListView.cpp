#include "DockRowListView.h"

#include "DockRowDelegate.h"
#include "gui/kit/Style.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace velmora {

DockRowListView::DockRowListView(DockRowDelegate *delegate, bool reorderable, QWidget *parent)
    : QListView(parent), m_reorderable(reorderable)
{
    setItemDelegate(delegate);
    delegate->setParent(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setUniformItemSizes(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    connect(delegate, &DockRowDelegate::actionTriggered, this, &DockRowListView::actionRequested);
}

int DockRowListView::dropRow(const QPoint &point) const
{
    const int rows = model() ? model()->rowCount() : 0;
    const QModelIndex index = indexAt(point);
    if (!index.isValid()) {
        if (rows > 0 && point.y() < visualRect(model()->index(0, 0)).top())
            return 0;
        return rows;
    }
    const QRect rect = visualRect(index);
    return point.y() < rect.center().y() ? index.row() : index.row() + 1;
}

void DockRowListView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool onButton =
        index.isValid() &&
        DockRowDelegate::buttonRect(visualRect(index)).contains(event->position().toPoint());
    m_pressRow = event->button() == Qt::LeftButton && index.isValid() && !onButton ? index.row() : -1;
    m_pressPoint = event->position().toPoint();
    QListView::mousePressEvent(event);
}

void DockRowListView::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging stays hand-made: Qt's own internal move runs a QDrag, a platform drag session with
    // its own event loop that hands the rows to the model as MIME data; here a drop is one call to
    // the editor's model, which counts it as an edit, and nothing can leave the list.
    if (m_reorderable && m_pressRow >= 0 && (event->buttons() & Qt::LeftButton)) {
        if (!m_dragging && (event->position().toPoint() - m_pressPoint).manhattanLength() >=
                               QApplication::startDragDistance())
            startDrag();
        if (m_dragging) {
            m_pointer = event->position().toPoint();
            m_dropRow = dropRow(m_pointer);
            viewport()->update();
            return;
        }
    }
    QListView::mouseMoveEvent(event);
}

void DockRowListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        const int source = m_pressRow;
        const int destination = dropRow(event->position().toPoint());
        endDrag();
        // A drop just above or below the row itself leaves it where it is.
        if (destination != source && destination != source + 1)
            emit moveRequested(source, destination);
        return;
    }
    endDrag();
    QListView::mouseReleaseEvent(event);
}

void DockRowListView::startDrag()
{
    m_dragging = true;
    // The row as it is drawn, selected, picked up and carried under the pointer.
    const QModelIndex index = model()->index(m_pressRow, 0);
    const QRect rect = visualRect(index);
    const qreal ratio = devicePixelRatioF();
    m_dragImage = QPixmap((QSizeF(rect.size()) * ratio).toSize());
    m_dragImage.setDevicePixelRatio(ratio);
    m_dragImage.fill(Qt::transparent);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = QRect(QPoint(0, 0), rect.size());
    option.state |= QStyle::State_Selected;
    QPainter painter(&m_dragImage);
    itemDelegate()->paint(&painter, option, index);
    m_dragOffset = rect.topLeft() - m_pressPoint;
}

QRect DockRowListView::dragRect() const
{
    if (!m_dragging)
        return QRect();
    return QRect(m_pointer + m_dragOffset, m_dragImage.deviceIndependentSize().toSize());
}

void DockRowListView::endDrag()
{
    const bool shown = m_dragging;
    m_pressRow = -1;
    m_dragging = false;
    m_dropRow = -1;
    m_dragImage = QPixmap();
    if (shown)
        viewport()->update();
}

void DockRowListView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const int rows = model() ? model()->rowCount() : 0;
    if (current.isValid()) {
        const int row = current.row();
        if (m_reorderable && event->modifiers() == Qt::AltModifier) {
            if (event->key() == Qt::Key_Up && row > 0) {
                emit moveRequested(row, row - 1);
                return;
            }
            if (event->key() == Qt::Key_Down && row + 1 < rows) {
                emit moveRequested(row, row + 2);
                return;
            }
        }
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            const bool removeKey = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
            const bool addKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
            if ((m_reorderable && removeKey) || (!m_reorderable && addKey)) {
                emit actionRequested(row);
                return;
            }
        }
    }
    QListView::keyPressEvent(event);
}

void DockRowListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (!m_dragging || m_dropRow < 0 || !model())
        return;
    // The line where the dragged row will land.
    const int rows = model()->rowCount();
    int y = 0;
    if (rows == 0)
        y = 2;
    else if (m_dropRow < rows)
        y = visualRect(model()->index(m_dropRow, 0)).top();
    else
        y = visualRect(model()->index(rows - 1, 0)).bottom();
    QPainter p(viewport());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Style::accent(), 2));
    p.setBrush(Style::accent());
    p.drawLine(QPointF(14, y), QPointF(viewport()->width() - 10, y));
    p.drawEllipse(QPointF(12, y), 3, 3);

    // The row itself under the pointer, lifted off the list by a card and a soft edge.
    const QRect ghost = dragRect();
    QPainterPath card;
    card.addRoundedRect(QRectF(ghost).adjusted(6, 2, -6, -2), 7, 7);
    p.setPen(QPen(Style::separator(), 1));
    p.setBrush(palette().color(QPalette::Base));
    p.setOpacity(0.94);
    p.drawPath(card);
    p.drawPixmap(ghost.topLeft(), m_dragImage);
}

} // namespace velmora
