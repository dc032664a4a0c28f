#include "MenuButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace velmora {

namespace {

constexpr int kChevron = 8; // the chevron's side
constexpr int kGap = 6;     // between the text and the chevron

} // namespace

MenuButton::MenuButton(QWidget *parent) : QToolButton(parent)
{
    setPopupMode(QToolButton::InstantPopup);
}

QSize MenuButton::contentSize(const QStyleOptionToolButton &option) const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, option.text);
    if (option.icon.isNull() || option.toolButtonStyle == Qt::ToolButtonTextOnly)
        return text;
    return QSize(option.iconSize.width() + 4 + text.width(),
                 std::max(option.iconSize.height(), text.height()));
}

QSize MenuButton::sizeHint() const
{
    // The button's own size without the style's menu indicator, then room for the chevron.
    ensurePolished();
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.features &= ~QStyleOptionToolButton::HasMenu;
    return style()->sizeFromContents(QStyle::CT_ToolButton, &option, contentSize(option), this) +
           QSize(kGap + kChevron, 0);
}

QSize MenuButton::minimumSizeHint() const
{
    return sizeHint();
}

void MenuButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.features &= ~QStyleOptionToolButton::HasMenu;
    // The panel spans the whole button; the label keeps to the part left of the chevron.
    QStyleOptionToolButton panel = option;
    panel.text.clear();
    panel.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, panel);
    // The label and the chevron together, centred in whatever width the button was given.
    const QSize content = contentSize(option);
    const int left = std::max(0, (width() - (content.width() + kGap + kChevron)) / 2);
    QStyleOptionToolButton label = option;
    label.rect = QRect(left, 0, content.width(), height());
    p.drawControl(QStyle::CE_ToolButtonLabel, label);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = QRect(left + content.width() + kGap, (height() - kChevron) / 2, kChevron, kChevron);
    p.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
}

} // namespace velmora
