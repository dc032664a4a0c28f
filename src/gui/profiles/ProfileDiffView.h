#pragma once

#include "profiles/ProfileDiffItem.h"

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;
class QToolButton;

namespace velmora {

class SymbolImages;

/// The review of a loaded profile: what applying it would change, each as its current value, an
/// arrow and the new value; the values that already match in a collapsed group; Cancel and Apply.
/// It applies nothing itself: its buttons emit `applyRequested` and `cancelRequested`.
class ProfileDiffView : public QDialog {
    Q_OBJECT

public:
    ProfileDiffView(const Profile &profile, QList<ProfileDiffItem> items, const SymbolImages &symbols,
                    QWidget *parent = nullptr);

    const Profile &profile() const { return m_profile; }
    QList<ProfileDiffItem> changedItems() const;
    QList<ProfileDiffItem> unchangedItems() const;

    QString headerText() const;
    QString summaryText() const;
    QPushButton *applyButton() const { return m_apply; }
    /// The disclosure of the unchanged group; null when there is no such group.
    QToolButton *unchangedToggle() const { return m_unchangedToggle; }
    QWidget *unchangedRows() const { return m_unchangedRows; }
    /// The "No Changes" view; null when there are changes.
    QWidget *emptyState() const { return m_empty; }
    /// Whether every row is built. The first rows, as many as fill the sheet, come with it; the
    /// others follow in slices between events, since a profile of every value makes hundreds of
    /// labels that would hold the window up for a tenth of a second.
    bool isComplete() const { return m_nextRow >= m_rowsToBuild.size(); }

    /// "Apply 3 Changes", "Apply 1 Change".
    static QString applyTitle(qsizetype changes);

signals:
    void applyRequested();
    void cancelRequested();
    /// The last row is built.
    void completed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *makeRow(const ProfileDiffItem &item, QWidget *parent) const;
    /// Builds at least `atLeast` rows and more while `budgetNs` lasts, then leaves the rest to a
    /// later turn of the event loop.
    void buildRows(int atLeast, qint64 budgetNs);

    struct PendingRow {
        ProfileDiffItem item;
        QWidget *container = nullptr;
    };
    QList<PendingRow> m_rowsToBuild;
    qsizetype m_nextRow = 0;
    // Drawn once for all rows.
    QPixmap m_arrow;
    QPixmap m_willChange;
    QPixmap m_unchanged;

    Profile m_profile;
    QList<ProfileDiffItem> m_items;
    const SymbolImages &m_symbols;
    QLabel *m_header;
    QLabel *m_summary;
    QPushButton *m_apply;
    QPushButton *m_cancel;
    QToolButton *m_unchangedToggle = nullptr;
    QWidget *m_unchangedRows = nullptr;
    QWidget *m_empty = nullptr;
};

} // namespace velmora
