#include "SidebarView.h"

#include "engine/TweakEngine.h"
#include "gui/kit/CategoryIconBadge.h"
#include "gui/kit/Style.h"
#include "platform/Platform.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace velmora {

SidebarView::SidebarView(const AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 10, 8, 8);
    layout->setSpacing(4);
    auto *section = new QLabel(tr("Settings"), this);
    QFont sectionFont = Style::caption();
    sectionFont.setWeight(QFont::DemiBold);
    section->setFont(sectionFont);
    section->setContentsMargins(8, 0, 0, 0);
    Style::setSecondaryText(section);
    layout->addWidget(section);

    m_list = new QListWidget(this);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setIconSize(QSize(20, 20));
    m_list->setSpacing(1);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setAccessibleName(tr("Categories"));
    QPalette p = m_list->palette();
    p.setColor(QPalette::Base, Qt::transparent);
    m_list->setPalette(p);
    m_list->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_list, 1);

    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (current)
            emit selectionChanged(current->data(Qt::UserRole).toString());
    });
    // Assistive technology chooses a row by selecting it, which leaves the current row where it was.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &SidebarView::followSelection);
    fill();
}

void SidebarView::fill()
{
    const std::optional<QString> selected = selection();
    const QSignalBlocker block(m_list);
    m_list->clear();
    const qreal dpr = devicePixelRatioF();
    for (const TweakCategory &category : m_context.engine.registry().categories()) {
        auto *item = new QListWidgetItem(m_list);
        item->setText(category.title);
        item->setData(Qt::UserRole, category.id);
        item->setIcon(
            QIcon(CategoryIconBadge::render(m_context.platform.symbols(), category, 20, 11, 5, dpr)));
        item->setSizeHint(QSize(0, 28));
    }
    if (selected)
        setSelection(selected);
}

std::optional<QString> SidebarView::selection() const
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return std::nullopt;
    return item->data(Qt::UserRole).toString();
}

void SidebarView::setSelection(const std::optional<QString> &categoryID)
{
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        if (categoryID && item->data(Qt::UserRole).toString() == *categoryID) {
            m_list->setCurrentItem(item);
            return;
        }
    }
    m_list->setCurrentItem(nullptr);
}

void SidebarView::followSelection()
{
    QListWidgetItem *current = m_list->currentItem();
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    for (QListWidgetItem *item : selected) {
        if (item != current) {
            m_list->setCurrentItem(item);
            return;
        }
    }
    // The category shown stays chosen: one cannot leave a page by unselecting its row.
    if (selected.isEmpty() && current)
        current->setSelected(true);
}

void SidebarView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Badges are painted for the current appearance; repaint them when it changes.
    if (event->type() == QEvent::PaletteChange)
        fill();
}

} // namespace velmora
