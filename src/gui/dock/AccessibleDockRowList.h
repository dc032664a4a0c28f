#pragma once

#include <QAccessibleWidget>
#include <QList>
#include <QPersistentModelIndex>

#include <utility>

namespace velmora {

class DockRowListView;

/// A list of the Dock editor as assistive technology sees it: a list of rows, each named by its
/// title and path and holding its button ("Remove … from Dock", "Add … to Dock"), which the rows
/// only paint. A row keeps its interface while it moves; a removed row's interface goes with it.
class AccessibleDockRowList : public QAccessibleWidget {
public:
    explicit AccessibleDockRowList(DockRowListView *view);
    ~AccessibleDockRowList() override;

    /// Puts these interfaces before Qt's own for the Dock editor's lists; calling it again does nothing.
    static void install();

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    DockRowListView *view() const;

    mutable QList<std::pair<QPersistentModelIndex, QAccessible::Id>> m_rows;
};

} // namespace velmora
