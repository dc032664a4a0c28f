#pragma once

// Watches one of the Dock editor's list models as a view does.

#include "dock/DockRowListModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QStringList>

#include <utility>

namespace velmora::test {

/// QAbstractItemModelTester checks every announcement of the model; a copy of the rows kept from
/// the announcements alone must equal the model's rows, and a row held by a persistent index (a
/// view's selection) must still be the row it was, unless announced as changed. Each announcement
/// goes into `log`, named: "apps insert 6-6", "apps remove 0-0", "apps move 5>0", "apps change 2-2",
/// "apps reset".
class ListWatch {
public:
    ListWatch(QAbstractItemModel *model, const QString &name, QStringList &log)
        : m_model(model), m_name(name),
          m_tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest), m_copy(rowTexts(model))
    {
        hold();
        const auto note = [name, &log](const QString &what) { log << name + QLatin1Char(' ') + what; };
        const auto span = [](int first, int last) { return QStringLiteral("%1-%2").arg(first).arg(last); };
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &m_context,
                         [this, note, span](const QModelIndex &, int first, int last) {
                             for (int row = first; row <= last; ++row)
                                 m_copy.insert(row, rowText(m_model, row));
                             note(QStringLiteral("insert ") + span(first, last));
                         });
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, &m_context,
                         [this, note, span](const QModelIndex &, int first, int last) {
                             m_copy.remove(first, last - first + 1);
                             note(QStringLiteral("remove ") + span(first, last));
                         });
        QObject::connect(
            model, &QAbstractItemModel::rowsMoved, &m_context,
            [this, note](const QModelIndex &, int first, int last, const QModelIndex &, int before) {
                const QStringList moving = m_copy.mid(first, last - first + 1);
                m_copy.remove(first, moving.size());
                const int at = before > first ? before - int(moving.size()) : before;
                for (int i = 0; i < moving.size(); ++i)
                    m_copy.insert(at + i, moving[i]);
                note(QStringLiteral("move %1>%2").arg(first).arg(before));
            });
        QObject::connect(model, &QAbstractItemModel::dataChanged, &m_context,
                         [this, note, span](const QModelIndex &from, const QModelIndex &to) {
                             for (int row = from.row(); row <= to.row(); ++row)
                                 m_copy[row] = rowText(m_model, row);
                             for (auto &[held, text] : m_held) {
                                 if (held.row() >= from.row() && held.row() <= to.row())
                                     text = rowText(m_model, held.row());
                             }
                             note(QStringLiteral("change ") + span(from.row(), to.row()));
                         });
        QObject::connect(model, &QAbstractItemModel::modelReset, &m_context, [this, note] {
            m_copy = rowTexts(m_model);
            note(QStringLiteral("reset"));
        });
        QObject::connect(model, &QAbstractItemModel::layoutChanged, &m_context, [this, note] {
            m_copy = rowTexts(m_model);
            note(QStringLiteral("layout"));
        });
    }

    /// Empty when the copy and the held rows agree with the model, else what differs. Holds every
    /// row afresh.
    QString mismatch()
    {
        QString why;
        const QStringList rows = rowTexts(m_model);
        if (m_copy != rows)
            why = QStringLiteral("the rows announced, %1, are not the rows held, %2. ")
                      .arg(m_copy.join(QStringLiteral("; ")), rows.join(QStringLiteral("; ")));
        for (const auto &[index, text] : std::as_const(m_held)) {
            if (index.isValid() && rowText(m_model, index.row()) != text)
                why += QStringLiteral("The row that showed %1 shows %2. ")
                           .arg(text, rowText(m_model, index.row()));
        }
        hold();
        return why.isEmpty() ? why : m_name + QStringLiteral(": ") + why;
    }

    /// What a row shows, as one text.
    static QString rowText(const QAbstractItemModel *model, int row)
    {
        const QModelIndex index = model->index(row, 0);
        return index.data().toString() + QStringLiteral(" | ") +
               index.data(DockRowListModel::PathRole).toString();
    }

    static QStringList rowTexts(const QAbstractItemModel *model)
    {
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << rowText(model, row);
        return texts;
    }

private:
    void hold()
    {
        m_held.clear();
        for (int row = 0; row < m_model->rowCount(); ++row)
            m_held.append({QPersistentModelIndex(m_model->index(row, 0)), rowText(m_model, row)});
    }

    QAbstractItemModel *m_model;
    QString m_name;
    QAbstractItemModelTester m_tester;
    QStringList m_copy;
    QList<std::pair<QPersistentModelIndex, QString>> m_held;
    /// Goes first, taking the connections with it.
    QObject m_context;
};

} // namespace velmora::test
