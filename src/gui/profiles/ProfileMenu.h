#pragma once

#include "ProfileDiffView.h"
#include "ProfileExportDialog.h"
#include "gui/kit/AppContext.h"
#include "gui/kit/MenuButton.h"
#include "profiles/Profile.h"
#include "profiles/ProfileApplyReport.h"
#include "profiles/ProfileDiffItem.h"
#include "profiles/RestorePoint.h"

#include <QCoro/QCoroTask>
#include <QPointer>

class QMenu;

namespace velmora {

/// "Profiles" in the toolbar: save the current settings to a file, load a file (or the `defaults write`
/// lines of a script) and review what it would change before applying it, take the last apply back,
/// and carry out every pending restart.
class ProfileMenu : public MenuButton {
    Q_OBJECT

public:
    explicit ProfileMenu(const AppContext &context, QWidget *parent = nullptr);

    QAction *saveAction() const { return m_save; }
    QAction *loadAction() const { return m_load; }
    QAction *exportAction() const { return m_export; }
    QAction *resetAction() const { return m_reset; }
    QAction *importScriptAction() const { return m_importScript; }
    /// Enabled while a restore point is kept.
    QAction *undoAction() const { return m_undo; }
    /// The review sheet while it is open.
    ProfileDiffView *reviewSheet() const { return m_sheet; }
    const QList<ProfileDiffItem> &diffItems() const { return m_diffItems; }
    /// The export dialog while it is open.
    ProfileExportDialog *exportDialog() const { return m_exportDialog; }

    /// The file name the save panel suggests.
    static QString suggestedFileName() { return tr("Velmora Profile"); }

public slots:
    void saveProfile();
    void loadProfile();
    void exportProfile();
    void resetAllPending();
    void importScript();
    void undoLastApply();

private:
    /// Reads every value, asks where to save them, writes the file and says what it lacks.
    QCoro::Task<> saveCurrentState();
    /// Reads the file and every current value, then opens the review; a file that is not a profile
    /// opens an alert that names it and says why.
    QCoro::Task<> review(QString path);
    /// Reads a script's `defaults write` lines as a profile, says which lines were left out and why,
    /// then opens the review.
    QCoro::Task<> reviewScript(QString path);
    /// Opens the review of the newest restore point.
    QCoro::Task<> reviewUndo();
    /// Opens the review sheet of a profile; its Apply button is the caller's to connect.
    ProfileDiffView *openReview(const Profile &profile, QList<ProfileDiffItem> items);
    /// Keeps a restore point, applies the reviewed profile, then tells the user about every value that
    /// failed.
    QCoro::Task<> applyReviewed(Profile profile);
    /// Reads the settings the user chose to export, asks where to write them, writes them and says
    /// what the format could not carry.
    QCoro::Task<> exportAs(ProfileExportDialog::Request request);
    /// Puts the restore point back, then tells the user about every value that failed.
    QCoro::Task<> undoReviewed(RestorePoint point);
    void tellFailures(const ProfileApplyReport &report);
    void updateUndoAction();
    QString restorePointsFolder() const;

    AppContext m_context;
    QMenu *m_menu;
    QAction *m_save;
    QAction *m_load;
    QAction *m_export;
    QAction *m_reset;
    QAction *m_importScript;
    QAction *m_undo;
    QPointer<ProfileDiffView> m_sheet;
    QPointer<ProfileExportDialog> m_exportDialog;
    QList<ProfileDiffItem> m_diffItems;
    /// Counts the loads begun: only the last one opens its review.
    quint64 m_loads = 0;
};

} // namespace velmora
