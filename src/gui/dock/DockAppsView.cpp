#include "DockAppsView.h"

#include "DockRowDelegate.h"
#include "DockRowListView.h"
#include "FileIconCache.h"
#include "dock/DockAppsViewModel.h"
#include "engine/TweakEngine.h"
#include "gui/kit/CategoryIconBadge.h"
#include "gui/kit/Panels.h"
#include "gui/kit/Style.h"
#include "gui/kit/Tasks.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"
#include "platform/Workspace.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

// Style sheets take colours with an alpha as #AARRGGBB.
QString rgba(const QColor &c)
{
    return c.name(QColor::HexArgb);
}

QLabel *tertiaryCaption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(Style::caption());
    Style::setTextColor(label, Style::tertiaryText());
    return label;
}

} // namespace

QString DockAppsView::rawValue(DockTab tab)
{
    return tab == DockTab::apps ? tr("Apps") : tr("Folders & Others");
}

DockAppsView::DockAppsView(const AppContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_model(new DockAppsViewModel(context.platform, this)),
      m_icons(new FileIconCache(context.platform.workspace(), 64, this))
{
    setWindowTitle(tr("Dock Apps"));
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(makeHeader());
    stack->addWidget(Style::divider(this));
    stack->addWidget(makeTabs());
    stack->addWidget(Style::divider(this));
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(makeAppsPage());
    m_pages->addWidget(makeOthersPage());
    stack->addWidget(m_pages, 1);

    // The lists follow their models row by row; the counts follow the properties.
    connect(m_model, &DockAppsViewModel::currentAppsChanged, this, &DockAppsView::showCounts);
    connect(m_model, &DockAppsViewModel::currentOthersChanged, this, &DockAppsView::showCounts);
    connect(m_model, &DockAppsViewModel::installedAppsChanged, this, &DockAppsView::showCounts);
    connect(m_model, &DockAppsViewModel::searchTextChanged, this, [this] {
        if (m_search->text() != m_model->searchText())
            m_search->setText(m_model->searchText());
        showCounts();
    });
    connect(m_model, &DockAppsViewModel::isLoadingChanged, this, &DockAppsView::showCounts);
    connect(m_model, &DockAppsViewModel::isDirtyChanged, this, &DockAppsView::showButtons);
    connect(m_model, &DockAppsViewModel::isApplyingChanged, this, &DockAppsView::showButtons);
    connect(m_model, &DockAppsViewModel::lastErrorChanged, this, &DockAppsView::showError);

    // Cmd-Return on a Mac (Qt's Ctrl is the Command key there), Ctrl-Return elsewhere.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &DockAppsView::applyEdits);
    }

    connect(m_icons, &FileIconCache::iconReady, this, [this] {
        for (DockRowListView *list : {m_dockList, m_availableList, m_othersList})
            list->viewport()->update();
    });

    showCounts();
    showButtons();
    showError();
    setSelectedTab(DockTab::apps);
    restyle();
}

void DockAppsView::restyle()
{
    // The accent and text colours follow the palette, light or dark.
    const QColor accent = Style::accent();
    QColor tinted = accent;
    tinted.setAlphaF(0.12);
    for (QToolButton *button : std::as_const(m_tabButtons))
        button->setStyleSheet(
            QStringLiteral("QToolButton { border: none; border-radius: 6px; padding: 4px 12px;"
                           " color: %1; background: transparent; }"
                           "QToolButton:checked { color: %2; background: %3; font-weight: 600; }")
                .arg(rgba(Style::secondaryText()), Style::accentText().name(), rgba(tinted)));
    if (m_error)
        Style::setTextColor(m_error, Style::redText());
}

void DockAppsView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !m_restyling) {
        m_restyling = true;
        restyle();
        m_restyling = false;
    }
}

QWidget *DockAppsView::makeHeader()
{
    auto *header = new QWidget(this);
    auto *column = new QVBoxLayout(header);
    column->setContentsMargins(24, 20, 24, 14);
    column->setSpacing(8);
    auto *row = new QHBoxLayout;
    row->setSpacing(14);

    TweakCategory category{QStringLiteral("dockapps"), tr("Dock Apps"),
                           QStringLiteral("rectangle.stack.fill"), CategoryTint::blue, 1};
    if (const std::optional<TweakCategory> known =
            m_context.engine.registry().category(QStringLiteral("dockapps")))
        category = *known;
    category.symbol = QStringLiteral("rectangle.stack.fill");
    category.tint = CategoryTint::blue;
    auto *badge = new CategoryIconBadge(m_context.platform.symbols(), category, 56, 24, 12, header);

    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto *title = new QLabel(tr("Dock Apps"), header);
    title->setFont(Style::title2());
    m_count = new QLabel(header);
    m_count->setFont(Style::callout());
    Style::setSecondaryText(m_count);
    titles->addStretch(1);
    titles->addWidget(title);
    titles->addWidget(m_count);
    titles->addStretch(1);

    m_revert = new QPushButton(tr("Revert"), header);
    m_revert->setAutoDefault(false);
    m_apply = new QPushButton(tr("Apply"), header);
    m_apply->setAutoDefault(false);
    Style::setProminent(m_apply);
    m_apply->setToolTip(tr("Write these lists to the Dock and restart it (%1)")
                            .arg(QKeySequence(Qt::CTRL | Qt::Key_Return).toString(QKeySequence::NativeText)));
    connect(m_revert, &QPushButton::clicked, this, &DockAppsView::revertEdits);
    connect(m_apply, &QPushButton::clicked, this, &DockAppsView::applyEdits);

    row->addWidget(badge);
    row->addLayout(titles);
    row->addStretch(1);
    row->addWidget(m_revert);
    row->addWidget(m_apply);
    column->addLayout(row);

    m_error = new QLabel(header);
    m_error->setWordWrap(true);
    m_error->setTextFormat(Qt::PlainText);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTextColor(m_error, Style::redText());
    column->addWidget(m_error);
    return header;
}

QWidget *DockAppsView::makeTabs()
{
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(20, 6, 20, 6);
    row->setSpacing(4);
    for (DockTab tab : {DockTab::apps, DockTab::others}) {
        auto *button = new QToolButton(bar);
        // "&" would mark a mnemonic; the title shows it as it is.
        button->setText(rawValue(tab).replace(QLatin1Char('&'), QStringLiteral("&&")));
        button->setAccessibleName(rawValue(tab));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setFont(Style::subheadline());
        connect(button, &QToolButton::clicked, this, [this, tab] { setSelectedTab(tab); });
        m_tabButtons.append(button);
        row->addWidget(button);
    }
    row->addStretch(1);
    return bar;
}

QWidget *DockAppsView::listHeader(const QString &symbol, const QString &title, QWidget *trailing,
                                  QWidget *extra)
{
    auto *header = new QWidget;
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(6);
    auto *icon = new QLabel(header);
    icon->setPixmap(m_context.platform.symbols().symbol(symbol, Style::accent(), 15, devicePixelRatioF()));
    auto *label = new QLabel(title, header);
    label->setFont(Style::headline());
    row->addWidget(icon);
    row->addWidget(label);
    row->addStretch(1);
    if (extra)
        row->addWidget(extra);
    if (trailing)
        row->addWidget(trailing);
    return header;
}

QWidget *DockAppsView::makeAppsPage()
{
    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);

    // Left: what the Dock holds.
    auto *left = new QWidget(splitter);
    left->setMinimumWidth(280);
    auto *leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->setSpacing(0);
    leftColumn->addWidget(listHeader(QStringLiteral("dock.rectangle"), tr("In Dock"),
                                     tertiaryCaption(tr("Drag to reorder"), left)));
    m_dockList = new DockRowListView(makeDelegate(), true, left);
    m_dockList->setModel(m_model->appsModel());
    m_dockList->setAccessibleName(tr("In Dock"));
    leftColumn->addWidget(m_dockList, 1);
    connect(m_dockList, &DockRowListView::actionRequested, this, [this](int row) {
        if (row >= 0 && row < m_model->currentApps().size())
            m_model->removeApp(m_model->currentApps().at(row));
    });
    connect(m_dockList, &DockRowListView::moveRequested, this,
            [this](int source, int destination) { m_model->moveApps({source}, destination); });

    // Right: the installed applications not in the Dock.
    auto *right = new QWidget(splitter);
    right->setMinimumWidth(280);
    auto *rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 10, 0, 0);
    rightColumn->setSpacing(0);
    m_search = new QLineEdit(right);
    m_search->setPlaceholderText(tr("Search apps"));
    m_search->setAccessibleName(tr("Search apps"));
    m_search->setClearButtonEnabled(true);
    Style::setRoundedBorder(m_search);
    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(14, 0, 14, 10);
    searchRow->addWidget(m_search);
    rightColumn->addLayout(searchRow);
    connect(m_search, &QLineEdit::textChanged, m_model, &DockAppsViewModel::setSearchText);

    auto *trailing = new QWidget(right);
    auto *trailingRow = new QHBoxLayout(trailing);
    trailingRow->setContentsMargins(0, 0, 0, 0);
    m_progress = new QProgressBar(trailing);
    m_progress->setRange(0, 0);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(48, 8);
    m_progress->setAccessibleName(tr("Looking for applications"));
    m_availableCount = tertiaryCaption(QString(), trailing);
    m_availableCount->setFont(Style::monospacedDigits(Style::caption()));
    trailingRow->addWidget(m_progress);
    trailingRow->addWidget(m_availableCount);
    rightColumn->addWidget(
        listHeader(QStringLiteral("square.grid.2x2.fill"), tr("Available Apps"), trailing));

    m_availableList = new DockRowListView(makeDelegate(), false, right);
    m_availableList->setModel(m_model->availableModel());
    m_availableList->setAccessibleName(tr("Available Apps"));
    rightColumn->addWidget(m_availableList, 1);
    connect(m_availableList, &DockRowListView::actionRequested, this, [this](int row) {
        if (row >= 0 && row < m_model->availableApps().size())
            m_model->addApp(m_model->availableApps().at(row));
    });
    connect(m_availableList, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.row() < m_model->availableApps().size())
            m_model->addApp(m_model->availableApps().at(index.row()));
    });

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({360, 400});
    return splitter;
}

QWidget *DockAppsView::makeOthersPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_addMenu = new QToolButton(page);
    m_addMenu->setIcon(QIcon(m_context.platform.symbols().symbol(QStringLiteral("plus"), Style::accent(), 16,
                                                                 devicePixelRatioF())));
    m_addMenu->setAutoRaise(true);
    m_addMenu->setPopupMode(QToolButton::InstantPopup);
    m_addMenu->setToolTip(tr("Add a folder or a spacer"));
    m_addMenu->setAccessibleName(tr("Add"));
    m_addMenu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    auto *menu = new QMenu(m_addMenu);
    menu->addAction(tr("Add Folder..."), this, &DockAppsView::addFolder);
    menu->addSeparator();
    menu->addAction(tr("Add Spacer"), this, [this] { m_model->addSpacer(false); });
    menu->addAction(tr("Add Small Spacer"), this, [this] { m_model->addSpacer(true); });
    m_addMenu->setMenu(menu);
    column->addWidget(listHeader(QStringLiteral("folder.fill"), tr("Folders & Others"),
                                 tertiaryCaption(tr("Drag to reorder"), page), m_addMenu));

    m_othersList = new DockRowListView(makeDelegate(), true, page);
    m_othersList->setModel(m_model->othersModel());
    m_othersList->setAccessibleName(tr("Folders & Others"));
    column->addWidget(m_othersList, 1);
    connect(m_othersList, &DockRowListView::actionRequested, this, [this](int row) {
        if (row >= 0 && row < m_model->currentOthers().size())
            m_model->removeOther(m_model->currentOthers().at(row));
    });
    connect(m_othersList, &DockRowListView::moveRequested, this,
            [this](int source, int destination) { m_model->moveOthers({source}, destination); });
    return page;
}

void DockAppsView::setSelectedTab(DockTab tab)
{
    m_selectedTab = tab;
    const int index = tab == DockTab::apps ? 0 : 1;
    for (int i = 0; i < m_tabButtons.size(); ++i)
        m_tabButtons[i]->setChecked(i == index);
    m_pages->setCurrentIndex(index);
}

void DockAppsView::addFolder()
{
    const std::optional<QString> folder =
        m_context.panels.chooseFolder(this, tr("Choose a folder to add to the Dock."),
                                      m_context.platform.fileLocations().home, tr("Add to Dock"));
    if (!folder || folder->isEmpty())
        return;
    QString path = *folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    m_model->addFolder(QUrl::fromLocalFile(path));
}

void DockAppsView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Each time the page appears it shows the Dock as it is now.
    if (!event->spontaneous())
        startTask(m_model->load(), this);
}

void DockAppsView::showCounts()
{
    // Two counts in one text: neither can be the %n of a plural form, so the text reads as it always has.
    m_count->setText(
        tr("%1 apps, %2 others").arg(m_model->currentApps().size()).arg(m_model->currentOthers().size()));
    m_progress->setVisible(m_model->isLoading());
    m_availableCount->setVisible(!m_model->isLoading());
    m_availableCount->setText(QString::number(m_model->availableApps().size()));
}

void DockAppsView::showButtons()
{
    m_revert->setVisible(m_model->isDirty());
    m_apply->setVisible(m_model->isDirty());
    m_revert->setEnabled(!m_model->isApplying());
    m_apply->setEnabled(!m_model->isApplying());
}

void DockAppsView::showError()
{
    const std::optional<QString> &error = m_model->lastError();
    m_error->setText(error.value_or(QString()));
    m_error->setVisible(error.has_value());
}

DockRowDelegate *DockAppsView::makeDelegate()
{
    return new DockRowDelegate(
        m_context.platform.symbols(), [this](const QString &path) { return m_icons->icon(path); },
        m_context.platform.fileLocations().home);
}

void DockAppsView::applyEdits()
{
    if (!m_model->isDirty() || m_model->isApplying())
        return;
    startTask(m_model->apply(), this);
}

void DockAppsView::revertEdits()
{
    if (m_model->isApplying())
        return;
    startTask(m_model->revert(), this);
}

} // namespace velmora
