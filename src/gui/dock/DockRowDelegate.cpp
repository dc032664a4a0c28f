#include "DockRowDelegate.h"

#include "dock/DockRowListModel.h"
#include "gui/kit/DisplayPath.h"
#include "gui/kit/Style.h"
#include "platform/SymbolImages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <optional>

namespace velmora {

namespace {

constexpr int kInset = 10; // the inset list's margin on both sides
constexpr int kIconSide = 32;
constexpr int kSpacing = 10; // between icon, text and button
constexpr int kButtonSide = 22;
constexpr int kRowGap = 4; // between rows of the inset list

QFont captionTwo()
{
    QFont font = Style::caption();
    font.setPointSizeF(font.pointSizeF() * 0.92);
    return font;
}

std::optional<DockRow> rowOf(const QModelIndex &index)
{
    if (!index.isValid())
        return std::nullopt;
    DockRow row;
    row.title = index.data(Qt::DisplayRole).toString();
    row.path = index.data(DockRowListModel::PathRole).toString();
    row.detail = index.data(DockRowListModel::DetailRole).toString();
    row.icon = DockRow::Icon(index.data(DockRowListModel::IconRole).toInt());
    row.iconPath = index.data(DockRowListModel::IconPathRole).toString();
    row.action = DockRow::Action(index.data(DockRowListModel::ActionRole).toInt());
    row.secondaryTitle = index.data(DockRowListModel::SecondaryTitleRole).toBool();
    row.verticalPadding = index.data(DockRowListModel::VerticalPaddingRole).toInt();
    return row;
}

} // namespace

DockRowDelegate::DockRowDelegate(const SymbolImages &symbols, std::function<QIcon(const QString &)> fileIcons,
                                 QString home, QObject *parent)
    : QStyledItemDelegate(parent), m_symbols(symbols), m_fileIcons(std::move(fileIcons)),
      m_home(std::move(home))
{
}

QRect DockRowDelegate::buttonRect(const QRect &rowRect)
{
    return QRect(rowRect.right() - kInset - kButtonSide - 4, rowRect.center().y() - kButtonSide / 2 + 1,
                 kButtonSide, kButtonSide);
}

QSize DockRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const std::optional<DockRow> row = rowOf(index);
    if (!row)
        return QStyledItemDelegate::sizeHint(option, index);
    const int small = QFontMetrics(captionTwo()).height();
    int text = QFontMetrics(option.font).height();
    if (!row->path.isEmpty())
        text += small;
    if (!row->detail.isEmpty())
        text += small;
    return QSize(kInset * 2 + kIconSide + kSpacing * 2 + kButtonSide + 120,
                 std::max(kIconSide, text) + 2 * row->verticalPadding + kRowGap);
}

void DockRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const std::optional<DockRow> row = rowOf(index);
    if (!row)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;

    const QRect card = option.rect.adjusted(kInset - 4, kRowGap / 2, -(kInset - 4), -kRowGap / 2);
    if (option.state & QStyle::State_Selected) {
        QColor fill = Style::accent();
        fill.setAlphaF(option.state & QStyle::State_HasFocus ? 0.22 : 0.12);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(card), 6, 6);
        painter->fillPath(shape, fill);
    }

    // The icon, in a 32-point frame.
    const QRect iconFrame(option.rect.left() + kInset, option.rect.center().y() - kIconSide / 2 + 1,
                          kIconSide, kIconSide);
    switch (row->icon) {
    case DockRow::Icon::file: m_fileIcons(row->iconPath).paint(painter, iconFrame); break;
    case DockRow::Icon::spacerBar:
    case DockRow::Icon::smallSpacerBar: {
        const int height = row->icon == DockRow::Icon::spacerBar ? 4 : 2;
        QColor gray(Qt::gray);
        gray.setAlphaF(0.4);
        QPainterPath bar;
        bar.addRoundedRect(
            QRectF(iconFrame.left(), iconFrame.center().y() + 1 - height / 2, kIconSide, height), 2, 2);
        painter->fillPath(bar, gray);
        break;
    }
    case DockRow::Icon::folderSymbol:
    case DockRow::Icon::linkSymbol:
    case DockRow::Icon::appSymbol: {
        const QString name = row->icon == DockRow::Icon::folderSymbol ? QStringLiteral("folder.fill")
                             : row->icon == DockRow::Icon::linkSymbol ? QStringLiteral("link.circle.fill")
                                                                      : QStringLiteral("app.fill");
        const QColor colour = row->icon == DockRow::Icon::linkSymbol ? Style::tintColor(CategoryTint::purple)
                                                                     : Style::tintColor(CategoryTint::blue);
        const QPixmap glyph = m_symbols.symbol(name, colour, 24, dpr);
        const QSizeF size = QSizeF(glyph.size()) / glyph.devicePixelRatio();
        painter->drawPixmap(QPointF(iconFrame.center().x() + 0.5 - size.width() / 2,
                                    iconFrame.center().y() + 0.5 - size.height() / 2),
                            glyph);
        break;
    }
    }

    // The button.
    const QRect button = buttonRect(option.rect);
    const bool remove = row->action == DockRow::Action::remove;
    const QPixmap glyph =
        m_symbols.symbol(remove ? QStringLiteral("minus.circle.fill") : QStringLiteral("plus.circle.fill"),
                         remove ? Style::red() : Style::green(), kButtonSide, dpr);
    const QSizeF glyphSize = QSizeF(glyph.size()) / glyph.devicePixelRatio();
    painter->drawPixmap(QPointF(button.center().x() + 0.5 - glyphSize.width() / 2,
                                button.center().y() + 0.5 - glyphSize.height() / 2),
                        glyph);

    // The text column.
    const int left = iconFrame.right() + 1 + kSpacing;
    const int width = std::max(0, button.left() - kSpacing - left);
    const QFont small = captionTwo();
    const int titleHeight = QFontMetrics(option.font).height();
    const int smallHeight = QFontMetrics(small).height();
    const int lines =
        titleHeight + (row->path.isEmpty() ? 0 : smallHeight) + (row->detail.isEmpty() ? 0 : smallHeight);
    int y = option.rect.center().y() + 1 - lines / 2;

    painter->setFont(option.font);
    painter->setPen(row->secondaryTitle ? Style::secondaryText() : option.palette.color(QPalette::Text));
    painter->drawText(QRect(left, y, width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(option.font).elidedText(row->title, Qt::ElideRight, width));
    y += titleHeight;
    painter->setFont(small);
    if (!row->path.isEmpty()) {
        painter->setPen(Style::tertiaryText());
        painter->drawText(QRect(left, y, width, smallHeight), Qt::AlignLeft | Qt::AlignVCenter,
                          DisplayPath::elided(row->path, m_home, QFontMetrics(small), width));
        y += smallHeight;
    }
    if (!row->detail.isEmpty()) {
        painter->setPen(Style::tertiaryText());
        painter->drawText(QRect(left, y, width, smallHeight), Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(small).elidedText(row->detail, Qt::ElideRight, width));
    }
    painter->restore();
}

bool DockRowDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                  const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease &&
        event->type() != QEvent::MouseButtonDblClick)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const bool onButton =
        mouse->button() == Qt::LeftButton && buttonRect(option.rect).contains(mouse->position().toPoint());
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        m_pressedRow = onButton ? index.row() : -1;
        return onButton;
    }
    const bool clicked = onButton && m_pressedRow == index.row();
    m_pressedRow = -1;
    if (clicked) {
        // Announced once the view has finished with this click: the action may remove the row.
        const int row = index.row();
        QMetaObject::invokeMethod(
            this, [this, row] { emit actionTriggered(row); }, Qt::QueuedConnection);
    }
    return clicked;
}

bool DockRowDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const std::optional<DockRow> row = rowOf(index);
    if (event->type() == QEvent::ToolTip && row && buttonRect(option.rect).contains(event->pos())) {
        QToolTip::showText(
            event->globalPos(),
            row->action == DockRow::Action::remove ? tr("Remove from Dock") : tr("Add to Dock"), view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace velmora
