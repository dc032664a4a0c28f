#pragma once

#include "gui/kit/AppContext.h"

#include <QWidget>

#include <optional>

class QSplitter;
class QStackedWidget;
class QVBoxLayout;

namespace velmora {

class CategoryDetailView;
class ErrorStatusLine;
class SidebarView;
class WelcomeView;

/// The main window's content: the sidebar of categories beside the page of the selected one. The
/// selected id alone decides the page: nothing or an unknown id shows the welcome page, "dockapps"
/// and "wallpaper" their editors, any other category its list of tweaks.
class RootView : public QWidget {
    Q_OBJECT

public:
    explicit RootView(const AppContext &context, QWidget *parent = nullptr);

    const std::optional<QString> &selectedCategoryID() const { return m_selected; }
    void setSelectedCategoryID(const std::optional<QString> &id);

    SidebarView *sidebar() const { return m_sidebar; }
    ErrorStatusLine *errorLine() const { return m_errorLine; }
    /// The page on screen.
    QWidget *currentPage() const;
    /// The category page, when one is shown.
    CategoryDetailView *categoryPage() const;
    /// The area above the page where banners go (the Full Disk Access banner).
    QVBoxLayout *bannerArea() const { return m_bannerArea; }

    /// Puts keyboard focus into the page's search field, if it has one.
    void focusSearch();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void route();
    QWidget *specialPage(const QString &id);
    WelcomeView *welcomePage();

    AppContext m_context;
    std::optional<QString> m_selected;
    SidebarView *m_sidebar;
    ErrorStatusLine *m_errorLine;
    QVBoxLayout *m_bannerArea;
    QStackedWidget *m_pages;
    /// Made the first time nothing, or an unknown category, is selected.
    WelcomeView *m_welcome = nullptr;
    /// The empty page shown until the first show routes to a category.
    QWidget *m_blank;
    CategoryDetailView *m_categoryPage = nullptr;
    QWidget *m_special = nullptr;
    QString m_specialID;
};

} // namespace velmora
