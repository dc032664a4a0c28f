#include "DockRowListModel.h"

namespace velmora {

DockRowListModel::DockRowListModel(std::function<QIcon(const QString &)> iconProvider, QObject *parent)
    : QAbstractListModel(parent), m_iconProvider(std::move(iconProvider))
{
}

void DockRowListModel::setRows(QList<DockRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int DockRowListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant DockRowListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const DockRow &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return row.title;
    case Qt::AccessibleTextRole:
        return row.path.isEmpty() ? row.title : row.title + QStringLiteral(", ") + row.path;
    case RowRole: return index.row();
    default: return QVariant();
    }
}

} // namespace velmora
