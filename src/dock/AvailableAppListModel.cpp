#include "AvailableAppListModel.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace velmora {

namespace {

QString keyOf(const InstalledApp &app)
{
    return app.url.toString(QUrl::FullyEncoded);
}

// Which of the distinct `values` make up a longest increasing subsequence of them.
QList<bool> longestIncreasing(const QList<int> &values)
{
    QList<int> ends; // ends[k]: the index of the least value ending an increasing run of k + 1 values
    QList<int> previous(values.size(), -1);
    for (int i = 0; i < values.size(); ++i) {
        const auto at = std::lower_bound(ends.begin(), ends.end(), values.at(i),
                                         [&values](int end, int value) { return values.at(end) < value; });
        if (at != ends.begin())
            previous[i] = *(at - 1);
        if (at == ends.end())
            ends.append(i);
        else
            *at = i;
    }
    QList<bool> member(values.size(), false);
    for (int i = ends.isEmpty() ? -1 : ends.last(); i >= 0; i = previous.at(i))
        member[i] = true;
    return member;
}

} // namespace

void AvailableAppListModel::setApps(const QList<InstalledApp> &apps)
{
    // Each row held is matched by URL to its place in `apps` (the n-th row of a URL to the n-th place
    // of it); a row without a place goes.
    QHash<QString, QList<int>> places;
    for (int i = 0; i < apps.size(); ++i)
        places[keyOf(apps.at(i))].append(i);
    QList<int> place; // of each row held
    QHash<QString, int> matched;
    for (const InstalledApp &app : std::as_const(m_apps)) {
        const QString key = keyOf(app);
        const QList<int> candidates = places.value(key);
        int &n = matched[key];
        place.append(n < candidates.size() ? candidates.at(n++) : -1);
    }
    removeElements(m_apps, [&place](int i) { return place.at(i) < 0; });
    place.removeAll(-1);

    // The longest run of rows already in order stays put; every other row moves once, to just after
    // the row before its place, and the new rows come in the same way, run by run.
    const QList<bool> inOrder = longestIncreasing(place);
    QSet<int> staying;
    for (int i = 0; i < place.size(); ++i) {
        if (inOrder.at(i))
            staying.insert(place.at(i));
    }
    const QSet<int> held(place.cbegin(), place.cend());
    for (int i = 0; i < apps.size(); ++i) {
        const int after = i == 0 ? -1 : int(place.indexOf(i - 1));
        if (!held.contains(i)) {
            int last = i;
            while (last + 1 < apps.size() && !held.contains(last + 1))
                ++last;
            beginInsertRows(QModelIndex(), after + 1, after + 1 + last - i);
            for (int k = i; k <= last; ++k) {
                m_apps.insert(after + 1 + k - i, apps.at(k));
                place.insert(after + 1 + k - i, k);
            }
            endInsertRows();
            i = last;
            continue;
        }
        int row = int(place.indexOf(i));
        if (!staying.contains(i) && row != after + 1) {
            beginMoveRows(QModelIndex(), row, row, QModelIndex(), after + 1);
            const int landed = row > after ? after + 1 : after;
            m_apps.move(row, landed);
            place.move(row, landed);
            endMoveRows();
            row = landed;
        }
        if (m_apps.at(row) != apps.at(i)) {
            m_apps[row] = apps.at(i);
            emit dataChanged(index(row), index(row));
        }
    }
    Q_ASSERT(m_apps == apps);
}

DockRow AvailableAppListModel::rowOf(int element) const
{
    const InstalledApp &app = m_apps.at(element);
    DockRow row;
    row.title = app.name;
    row.path = app.path();
    row.iconPath = row.path;
    row.action = DockRow::Action::add;
    return row;
}

} // namespace velmora
