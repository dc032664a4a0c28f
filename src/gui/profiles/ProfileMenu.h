#pragma once

#include "ProfileDiffView.h"
#include "ProfileExportDialog.h"
#include "gui/kit/AppContext.h"
#include "gui/kit/MenuButton.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDiffItem.h"

#include <QCoro/QCoroTask>
#include <QPointer>

class QMenu;

namespace velmora {

/// "Profiles" in the toolbar: save the current settings to a file, load a file and review what it
/// would change before applying it, and carry out every pending restart.
class ProfileMenu : public MenuButton {
    Q_OBJECT

public:
    explicit ProfileMenu(const AppContext &context, QWidget *parent = nullptr);

    QAction *saveAction() const { return m_save; }
    QAction *loadAction() const { return m_load; }
    QAction *exportAction() const { return m_export; }
    QAction *resetAction() const { return m_reset; }
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

private:
    /// Reads every value, asks where to save them, writes the file and says what it lacks.
    QCoro::Task<> saveCurrentState();
    /// Reads the file and every current value, then opens the review; a file that is not a profile
    /// opens an alert that names it and says why.
    QCoro::Task<> review(QString path);
    /// Applies the reviewed profile, then tells the user about every value that failed.
    QCoro::Task<> applyReviewed(Profile profile);
    /// Reads the settings the user chose to export, asks where to write them, writes them and says
    /// what the format could not carry.
    QCoro::Task<> exportAs(ProfileExportDialog::Request request);

    AppContext m_context;
    QMenu *m_menu;
    QAction *m_save;
    QAction *m_load;
    QAction *m_export;
    QAction *m_reset;
    QPointer<ProfileDiffView> m_sheet;
    QPointer<ProfileExportDialog> m_exportDialog;
    QList<ProfileDiffItem> m_diffItems;
    /// Counts the loads begun: only the last one opens its review.
    quint64 m_loads = 0;
};

} // namespace velmora
