#pragma once

#include "dock/DockRow.h"

#include <QAbstractListModel>
#include <QIcon>

#include <functional>

namespace velmora {

/// The rows of one of the Dock editor's lists. Icons of files are asked for only when a row is
/// drawn, through `iconProvider`, so a long list of installed applications opens at once.
class DockRowListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { RowRole = Qt::UserRole + 1 };

    explicit DockRowListModel(std::function<QIcon(const QString &)> iconProvider, QObject *parent = nullptr);

    void setRows(QList<DockRow> rows);
    const DockRow &row(int index) const { return m_rows.at(index); }
    QIcon fileIcon(const QString &path) const { return m_iconProvider(path); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    /// DisplayRole: the title; AccessibleTextRole: title and path; RowRole: the index of the row.
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::function<QIcon(const QString &)> m_iconProvider;
    QList<DockRow> m_rows;
};

} // namespace velmora
