#pragma once

#include <QAccessibleInterface>
#include <QCoreApplication>
#include <QPersistentModelIndex>
#include <QPointer>

namespace velmora {

class DockRowListView;

/// The button a Dock editor's row paints at its end, to assistive technology: named by what it does
/// to which row ("Remove Safari from Dock"), and pressed through its action as a click presses it.
class AccessibleDockRowButton : public QAccessibleInterface, public QAccessibleActionInterface {
    Q_DECLARE_TR_FUNCTIONS(AccessibleDockRowButton)

public:
    AccessibleDockRowButton(DockRowListView *view, const QPersistentModelIndex &index,
                            QAccessibleInterface *row);

    void *interface_cast(QAccessible::InterfaceType type) override;
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
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QPointer<DockRowListView> m_view;
    QPersistentModelIndex m_index;
    QAccessibleInterface *m_row;
};

} // namespace velmora
