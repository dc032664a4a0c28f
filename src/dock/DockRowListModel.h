#pragma once

#include "DockRow.h"

#include <QAbstractListModel>

#include <algorithm>
#include <numeric>

namespace velmora {

/// One of the Dock editor's lists as an item model: a row per element, drawn from the roles below.
/// The subclasses hold the elements; each edit announces exactly the rows it inserts, removes or
/// moves, so a view keeps its selection, current row and scroll position across edits.
class DockRowListModel : public QAbstractListModel {
    Q_OBJECT

public:
    /// Besides these: Qt::DisplayRole, the title; Qt::AccessibleTextRole, the title and the path.
    enum Role {
        PathRole = Qt::UserRole + 1, ///< QString: the file path (a link's address), or empty
        DetailRole,                  ///< QString: a folder's display mode ("Display as: Stack"), or empty
        IconRole,                    ///< int: a DockRow::Icon
        IconPathRole,                ///< QString: the file whose icon the row shows, for DockRow::Icon::file
        ActionRole,                  ///< int: a DockRow::Action, what the row's button does
        SecondaryTitleRole,          ///< bool: the title in the secondary colour (spacers)
        VerticalPaddingRole,         ///< int: points above and below the row
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

protected:
    virtual int elementCount() const = 0;
    virtual DockRow rowOf(int element) const = 0;
    /// A URL as a row shows it: a file's path, or the address's path.
    static QString shownPath(const QUrl &url);

    template <typename T> void appendElement(QList<T> &list, const T &element);
    /// Removes the elements whose index `doomed` accepts, announcing each run of neighbours at once.
    template <typename T, typename Predicate> bool removeElements(QList<T> &list, Predicate doomed);
    /// The usual list move: the elements at `sources` come out, keeping their order, and go in before
    /// the element that was at `destination` (the end when it is the list's length).
    template <typename T> bool moveElements(QList<T> &list, QList<int> sources, int destination);
    template <typename T> void resetElements(QList<T> &list, const QList<T> &elements);
};

template <typename T> void DockRowListModel::appendElement(QList<T> &list, const T &element)
{
    beginInsertRows(QModelIndex(), int(list.size()), int(list.size()));
    list.append(element);
    endInsertRows();
}

template <typename T, typename Predicate>
bool DockRowListModel::removeElements(QList<T> &list, Predicate doomed)
{
    bool removed = false;
    // From the back, so the indexes still to be asked about stay where they were.
    for (int last = int(list.size()) - 1; last >= 0; --last) {
        if (!doomed(last))
            continue;
        int first = last;
        while (first > 0 && doomed(first - 1))
            --first;
        beginRemoveRows(QModelIndex(), first, last);
        list.remove(first, last - first + 1);
        endRemoveRows();
        removed = true;
        last = first;
    }
    return removed;
}

template <typename T> bool DockRowListModel::moveElements(QList<T> &list, QList<int> sources, int destination)
{
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    sources.erase(
        std::remove_if(sources.begin(), sources.end(), [&list](int i) { return i < 0 || i >= list.size(); }),
        sources.end());
    destination = std::clamp(destination, 0, int(list.size()));
    // The elements that stay never move, so the moving ones can go one at a time, from the last,
    // each before the one placed just before it (the first before the first staying element at or
    // after `destination`): one announcement per element moved, none for one already in place.
    int before = destination;
    while (before < list.size() && sources.contains(before))
        ++before;
    QList<int> origins(list.size()); // the index each element had before the move
    std::iota(origins.begin(), origins.end(), 0);
    bool moved = false;
    for (auto source = sources.crbegin(); source != sources.crend(); ++source) {
        const int from = int(origins.indexOf(*source));
        const int to = before < list.size() ? int(origins.indexOf(before)) : int(list.size());
        before = *source;
        if (from == to - 1)
            continue;
        beginMoveRows(QModelIndex(), from, from, QModelIndex(), to);
        const int landed = to > from ? to - 1 : to;
        list.move(from, landed);
        origins.move(from, landed);
        endMoveRows();
        moved = true;
    }
    return moved;
}

template <typename T> void DockRowListModel::resetElements(QList<T> &list, const QList<T> &elements)
{
    beginResetModel();
    list = elements;
    endResetModel();
}

} // namespace velmora
