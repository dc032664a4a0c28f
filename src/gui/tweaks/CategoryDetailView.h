#pragma once

#include "catalogue/Tweak.h"
#include "catalogue/TweakCategory.h"
#include "gui/kit/AppContext.h"

#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace velmora {

class CategoryIconBadge;
class TweakRowView;

/// The page of an ordinary category: its badge, title and number of tweaks, a search field, and a
/// row per tweak that matches the search. Showing the page (or a new category on it) reads the
/// category's values from the system, once per run.
class CategoryDetailView : public QWidget {
    Q_OBJECT

public:
    CategoryDetailView(const AppContext &context, TweakCategory category, QWidget *parent = nullptr);

    const TweakCategory &category() const { return m_category; }
    /// Shows another category on the same page; the search is cleared.
    void setCategory(const TweakCategory &category);

    QLineEdit *searchField() const { return m_search; }
    QToolButton *clearButton() const { return m_clear; }
    QLabel *countLabel() const { return m_count; }
    QWidget *emptyState() const { return m_empty; }
    /// The rows currently shown, in page order.
    QList<TweakRowView *> visibleRows() const;

    /// Whether a tweak matches a search text (trimmed, case-insensitive, title or summary).
    static bool matches(const Tweak &tweak, const QString &searchText);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuildRows();
    void applyFilter();

    AppContext m_context;
    TweakCategory m_category;
    CategoryIconBadge *m_badge;
    QLabel *m_title;
    QLabel *m_count;
    QLineEdit *m_search;
    QToolButton *m_clear;
    QWidget *m_empty;
    QWidget *m_rowsHost;
    QVBoxLayout *m_rowsLayout;
    QScrollArea *m_scroll;
    QList<TweakRowView *> m_rows;
};

} // namespace velmora
