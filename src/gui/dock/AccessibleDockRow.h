#pragma once

#include <QAccessibleInterface>
#include <QCoreApplication>
#include <QPersistentModelIndex>
#include <QPointer>

namespace velmora {

class DockRowListView;

/// One row of a Dock editor's list to assistive technology: a list item named by its title and
/// path, holding the row's button as its one child.
class AccessibleDockRow : public QAccessibleInterface {
    Q_DECLARE_TR_FUNCTIONS(AccessibleDockRow)

public:
    AccessibleDockRow(DockRowListView *view, const QModelIndex &index);
    ~AccessibleDockRow() override;

    const QPersistentModelIndex &index() const { return m_index; }
    /// The row's title, or what a spacer is, which has none.
    static QString title(const QModelIndex &index);
    /// Where the row is on screen.
    QRect rect() const override;

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    QPointer<DockRowListView> m_view;
    QPersistentModelIndex m_index;
    mutable QAccessible::Id m_button = 0;
};

} // namespace velmora
