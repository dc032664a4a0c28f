#pragma once

#include "gui/kit/AppContext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace velmora {

class DockAppsViewModel;
class DockRowDelegate;
class DockRowListView;
class FileIconCache;

/// The Dock editor page: the applications in the Dock beside the installed ones to add, and the
/// folders, links and spacers after the separator. "Apply" (Ctrl/Cmd-Return) writes the Dock and
/// restarts it; "Revert" reads it again. Both show only while there are edits.
class DockAppsView : public QWidget {
    Q_OBJECT

public:
    /// The tabs, in order; the raw value is the title.
    enum class DockTab { apps, others };
    static QString rawValue(DockTab tab);

    explicit DockAppsView(const AppContext &context, QWidget *parent = nullptr);

    DockAppsViewModel &model() const { return *m_model; }
    DockTab selectedTab() const { return m_selectedTab; }
    void setSelectedTab(DockTab tab);

    /// Asks for a folder and adds it to the others part (the "Add Folder..." item).
    void addFolder();

    // For tests and the accessibility tree: the page's parts.
    DockRowListView *dockList() const { return m_dockList; }
    DockRowListView *availableList() const { return m_availableList; }
    DockRowListView *othersList() const { return m_othersList; }
    QLineEdit *searchField() const { return m_search; }
    QPushButton *applyButton() const { return m_apply; }
    QPushButton *revertButton() const { return m_revert; }
    QToolButton *addMenuButton() const { return m_addMenu; }
    QToolButton *tabButton(DockTab tab) const { return m_tabButtons.value(tab == DockTab::apps ? 0 : 1); }
    QLabel *countLine() const { return m_count; }
    QLabel *availableCount() const { return m_availableCount; }
    QProgressBar *scanProgress() const { return m_progress; }
    FileIconCache *fileIcons() const { return m_icons; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QWidget *makeHeader();
    QWidget *makeTabs();
    QWidget *makeAppsPage();
    QWidget *makeOthersPage();
    QWidget *listHeader(const QString &symbol, const QString &title, QWidget *trailing,
                        QWidget *extra = nullptr);

    void showCounts();
    void showButtons();
    void showError();
    DockRowDelegate *makeDelegate();
    void restyle();

    void applyEdits();
    void revertEdits();

    AppContext m_context;
    DockAppsViewModel *m_model;
    DockTab m_selectedTab = DockTab::apps;
    FileIconCache *m_icons;

    DockRowListView *m_dockList = nullptr;
    DockRowListView *m_availableList = nullptr;
    DockRowListView *m_othersList = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_error = nullptr;
    QLabel *m_availableCount = nullptr;
    QProgressBar *m_progress = nullptr;
    QLineEdit *m_search = nullptr;
    QPushButton *m_revert = nullptr;
    QPushButton *m_apply = nullptr;
    QToolButton *m_addMenu = nullptr;
    QList<QToolButton *> m_tabButtons;
    QStackedWidget *m_pages = nullptr;
    bool m_restyling = false;
};

} // namespace velmora
