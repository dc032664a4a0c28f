#include "RootView.h"

#include "ErrorStatusLine.h"
#include "SidebarView.h"
#include "WelcomeView.h"
#include "engine/TweakEngine.h"
#include "gui/dock/DockAppsView.h"
#include "gui/kit/Style.h"
#include "gui/tweaks/CategoryDetailView.h"
#include "gui/wallpaper/WallpaperView.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"

#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora {

RootView::RootView(const AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter);

    m_sidebar = new SidebarView(m_context, splitter);
    m_sidebar->setMinimumWidth(200);

    auto *detail = new QWidget(splitter);
    detail->setMinimumSize(560, 480);
    auto *column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_errorLine = new ErrorStatusLine(m_context.engine, m_context.platform.symbols(), detail);
    m_bannerArea = new QVBoxLayout;
    m_bannerArea->setSpacing(0);
    m_pages = new QStackedWidget(detail);
    m_blank = new QWidget(m_pages);
    m_pages->addWidget(m_blank);
    column->addWidget(m_errorLine);
    column->addLayout(m_bannerArea);
    column->addWidget(m_pages, 1);

    splitter->addWidget(m_sidebar);
    splitter->addWidget(detail);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 860});

    connect(m_sidebar, &SidebarView::selectionChanged, this,
            [this](const QString &id) { setSelectedCategoryID(id); });
}

void RootView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The first category is selected when the window first shows and nothing is selected yet.
    if (!m_selected && !m_context.engine.registry().categories().isEmpty()) {
        m_selected = m_context.engine.registry().categories().first().id;
        m_sidebar->setSelection(m_selected);
    }
    // Nothing is routed before the first show; a window shown again keeps its page as it was.
    if (m_pages->currentWidget() == m_blank)
        route();
}

void RootView::setSelectedCategoryID(const std::optional<QString> &id)
{
    if (m_selected == id)
        return;
    m_selected = id;
    if (m_sidebar->selection() != id)
        m_sidebar->setSelection(id);
    route();
}

QWidget *RootView::specialPage(const QString &id)
{
    if (id == QLatin1String("dockapps"))
        return new DockAppsView(m_context);
    return new WallpaperView(m_context);
}

void RootView::route()
{
    // The editors of the two special categories are built afresh for each visit.
    auto dropSpecial = [this] {
        if (m_special) {
            m_pages->removeWidget(m_special);
            m_special->deleteLater();
            m_special = nullptr;
            m_specialID.clear();
        }
    };

    if (!m_selected) {
        dropSpecial();
        m_pages->setCurrentWidget(welcomePage());
        return;
    }
    const QString id = *m_selected;
    if (id == QLatin1String("dockapps") || id == QLatin1String("wallpaper")) {
        if (m_specialID != id) {
            dropSpecial();
            m_special = specialPage(id);
            m_specialID = id;
            m_pages->addWidget(m_special);
        }
        m_pages->setCurrentWidget(m_special);
        return;
    }
    dropSpecial();
    const std::optional<TweakCategory> category = m_context.engine.registry().category(id);
    if (!category) {
        m_pages->setCurrentWidget(welcomePage());
        return;
    }
    // The same page stays on screen from one ordinary category to the next.
    if (!m_categoryPage) {
        m_categoryPage = new CategoryDetailView(m_context, *category, m_pages);
        m_pages->addWidget(m_categoryPage);
    } else {
        m_categoryPage->setCategory(*category);
    }
    m_pages->setCurrentWidget(m_categoryPage);
}

WelcomeView *RootView::welcomePage()
{
    if (!m_welcome) {
        m_welcome = new WelcomeView(m_context.platform.symbols(), m_pages);
        m_pages->addWidget(m_welcome);
    }
    return m_welcome;
}

QWidget *RootView::currentPage() const
{
    return m_pages->currentWidget();
}

CategoryDetailView *RootView::categoryPage() const
{
    return m_pages->currentWidget() == m_categoryPage ? m_categoryPage : nullptr;
}

void RootView::focusSearch()
{
    if (CategoryDetailView *page = categoryPage()) {
        page->searchField()->setFocus(Qt::ShortcutFocusReason);
        page->searchField()->selectAll();
    }
}

} // namespace velmora
