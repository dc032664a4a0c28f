#pragma once

#include "gui/kit/AppContext.h"

#include <QWidget>

#include <optional>

class QListWidget;

namespace velmora {

/// The list of categories under the heading "Settings", in registry order, each with its badge.
/// Arrow keys move through it; choosing a row selects that category.
class SidebarView : public QWidget {
    Q_OBJECT

public:
    explicit SidebarView(const AppContext &context, QWidget *parent = nullptr);

    std::optional<QString> selection() const;
    void setSelection(const std::optional<QString> &categoryID);
    QListWidget *list() const { return m_list; }

signals:
    void selectionChanged(const QString &categoryID);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fill();
    void followSelection();

    AppContext m_context;
    QListWidget *m_list;
};

} // namespace velmora
