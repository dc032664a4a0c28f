#include "DockRowListModel.h"

#include <QUrl>

namespace velmora {

int DockRowListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : elementCount();
}

QVariant DockRowListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const DockRow row = rowOf(index.row());
    switch (role) {
    case Qt::DisplayRole: return row.title;
    case Qt::AccessibleTextRole:
        return row.path.isEmpty() ? row.title : row.title + QStringLiteral(", ") + row.path;
    case PathRole: return row.path;
    case DetailRole: return row.detail;
    case IconRole: return int(row.icon);
    case IconPathRole: return row.iconPath;
    case ActionRole: return int(row.action);
    case SecondaryTitleRole: return row.secondaryTitle;
    case VerticalPaddingRole: return row.verticalPadding;
    default: return QVariant();
    }
}

QString DockRowListModel::shownPath(const QUrl &url)
{
    return url.isLocalFile() ? url.toLocalFile() : url.path(QUrl::FullyDecoded);
}

} // namespace velmora
