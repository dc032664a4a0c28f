#include "CategoryDetailView.h"

#include "TweakRowView.h"
#include "engine/TweakEngine.h"
#include "gui/kit/CategoryIconBadge.h"
#include "gui/kit/PageScrollArea.h"
#include "gui/kit/Style.h"
#include "gui/kit/Tasks.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr int kRowMinHeight = 60;
constexpr int kControlColumnWidth = 260;

/// The rounded, filled background of the search bar.
class SearchBar : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 8, 8);
        p.fillPath(shape, Style::tertiaryBackground());
    }
};

} // namespace

CategoryDetailView::CategoryDetailView(const AppContext &context, TweakCategory category, QWidget *parent)
    : QWidget(parent), m_context(context), m_category(std::move(category))
{
    const SymbolImages &symbols = m_context.platform.symbols();
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_scroll = new PageScrollArea(this);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    outer->addWidget(m_scroll);

    auto *content = new QWidget;
    auto *stack = new QVBoxLayout(content);
    stack->setContentsMargins(24, 24, 24, 24);
    stack->setSpacing(16);

    // Header: badge, title, count.
    auto *header = new QHBoxLayout;
    header->setSpacing(14);
    m_badge = new CategoryIconBadge(symbols, m_category, 56, 28, 14, content);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    m_title = new QLabel(content);
    m_title->setFont(Style::title2());
    m_title->setTextFormat(Qt::PlainText);
    m_count = new QLabel(content);
    m_count->setFont(Style::callout());
    Style::setSecondaryText(m_count);
    titles->addWidget(m_title);
    titles->addWidget(m_count);
    header->addWidget(m_badge);
    header->addLayout(titles);
    header->addStretch(1);
    stack->addLayout(header);

    // Search bar.
    auto *bar = new SearchBar(content);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(10, 7, 10, 7);
    barLayout->setSpacing(8);
    auto *glass = new QLabel(bar);
    glass->setPixmap(
        symbols.symbol(QStringLiteral("magnifyingglass"), Style::tertiaryText(), 14, devicePixelRatioF()));
    m_search = new QLineEdit(bar);
    m_search->setFrame(false);
    m_search->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette searchPalette = m_search->palette();
    searchPalette.setColor(QPalette::Base, Qt::transparent);
    m_search->setPalette(searchPalette);
    m_clear = new QToolButton(bar);
    m_clear->setAutoRaise(true);
    m_clear->setIcon(QIcon(
        symbols.symbol(QStringLiteral("xmark.circle.fill"), Style::tertiaryText(), 14, devicePixelRatioF())));
    m_clear->setAccessibleName(tr("Clear search"));
    m_clear->setToolTip(tr("Clear search"));
    m_clear->setCursor(Qt::ArrowCursor);
    m_clear->setVisible(false);
    barLayout->addWidget(glass);
    barLayout->addWidget(m_search, 1);
    barLayout->addWidget(m_clear);
    stack->addWidget(bar);

    // Empty state.
    m_empty = new QWidget(content);
    auto *emptyLayout = new QVBoxLayout(m_empty);
    emptyLayout->setContentsMargins(0, 40, 0, 0);
    emptyLayout->setSpacing(8);
    auto *emptyIcon = new QLabel(m_empty);
    emptyIcon->setPixmap(
        symbols.symbol(QStringLiteral("magnifyingglass"), Style::secondaryText(), 36, devicePixelRatioF()));
    emptyIcon->setAlignment(Qt::AlignCenter);
    auto *emptyTitle = new QLabel(tr("No matching tweaks"), m_empty);
    emptyTitle->setFont(Style::title3());
    emptyTitle->setAlignment(Qt::AlignCenter);
    auto *emptyText = new QLabel(tr("Try a different search."), m_empty);
    emptyText->setAlignment(Qt::AlignCenter);
    Style::setSecondaryText(emptyText);
    emptyLayout->addWidget(emptyIcon);
    emptyLayout->addWidget(emptyTitle);
    emptyLayout->addWidget(emptyText);
    stack->addWidget(m_empty);

    // Rows.
    m_rowsHost = new QWidget(content);
    m_rowsLayout = new QVBoxLayout(m_rowsHost);
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(12);
    stack->addWidget(m_rowsHost);
    stack->addStretch(1);
    m_scroll->setWidget(content);

    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, [this] { applyFilter(); });
    connect(m_clear, &QToolButton::clicked, this, [this] {
        m_search->clear();
        m_search->setFocus();
    });
    rebuildRows();
}

void CategoryDetailView::setCategory(const TweakCategory &category)
{
    if (category == m_category)
        return;
    m_category = category;
    {
        const QSignalBlocker block(m_search);
        m_search->clear();
    }
    rebuildRows();
    // A page must never show defaults where real values exist: read the new category now. The rows
    // follow the engine's signals, so they show the values as the read brings them.
    if (isVisible())
        startTask(m_context.engine.refreshCategory(m_category.id), this);
}

void CategoryDetailView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    startTask(m_context.engine.refreshCategory(m_category.id), this);
}

bool CategoryDetailView::eventFilter(QObject *watched, QEvent *event)
{
    // Escape empties a search, as in every search field; an empty field leaves the key to others.
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched == m_search && keyEvent && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier && !m_search->text().isEmpty()) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            m_search->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CategoryDetailView::matches(const Tweak &tweak, const QString &searchText)
{
    const QString query = searchText.trimmed();
    if (query.isEmpty())
        return true;
    if (tweak.title.contains(query, Qt::CaseInsensitive))
        return true;
    return tweak.summary && tweak.summary->contains(query, Qt::CaseInsensitive);
}

void CategoryDetailView::rebuildRows()
{
    m_badge->setCategory(m_category);
    m_title->setText(m_category.title);
    const QList<Tweak> tweaks = m_context.engine.registry().tweaksInCategory(m_category.id);
    m_count->setText(tr("%n tweaks", nullptr, static_cast<int>(tweaks.size())));
    // The placeholder disappears as the user types; the name a screen reader reads stays.
    const QString search = tr("Search %1").arg(m_category.title);
    m_search->setPlaceholderText(search);
    m_search->setAccessibleName(search);

    qDeleteAll(m_rows);
    m_rows.clear();
    for (const Tweak &tweak : tweaks) {
        auto *row = new TweakRowView(m_context, tweak, kRowMinHeight, kControlColumnWidth, m_rowsHost);
        m_rowsLayout->addWidget(row);
        m_rows.append(row);
    }
    applyFilter();
    m_scroll->verticalScrollBar()->setValue(0);
}

void CategoryDetailView::applyFilter()
{
    const QString text = m_search->text();
    m_clear->setVisible(!text.isEmpty());
    int visible = 0;
    for (TweakRowView *row : std::as_const(m_rows)) {
        const bool show = matches(row->tweak(), text);
        row->setVisible(show);
        visible += show ? 1 : 0;
    }
    m_empty->setVisible(visible == 0);
    m_rowsHost->setVisible(visible > 0);
}

QList<TweakRowView *> CategoryDetailView::visibleRows() const
{
    QList<TweakRowView *> shown;
    for (TweakRowView *row : m_rows) {
        if (!row->isHidden())
            shown.append(row);
    }
    return shown;
}

} // namespace velmora
