#pragma once

#include "updates/UpdateAlerts.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>

namespace velmora {

class Workspace;

/// The update windows as the application shows them: a progress window with "Cancel" while a
/// check runs, and message boxes for its result, all opened without a modal loop. Links open
/// through the workspace.
class UpdateAlertDialogs : public UpdateAlerts {
    Q_DECLARE_TR_FUNCTIONS(UpdateAlertDialogs)

public:
    UpdateAlertDialogs(Workspace &workspace, QWidget *parent);
    ~UpdateAlertDialogs() override;

    void showChecking(std::function<void()> cancel) override;
    void hideChecking() override;
    void showUpToDate(const UpdateCheckResult &result) override;
    void showUpdateAvailable(const UpdateCheckResult &result) override;
    void showError(const UpdateCheckResult &result) override;

    /// The window on screen now, if any (tests press its buttons). A new version's notes, when the
    /// feed holds them, are its `ReleaseNotesView` child.
    QProgressDialog *progressWindow() const { return m_progress; }
    QMessageBox *resultWindow() const { return m_result; }

private:
    QMessageBox *makeBox(const QString &name, const QString &text, const QString &details,
                         Qt::TextFormat format, QMessageBox::Icon kind, QWidget *extra = nullptr);

    Workspace &m_workspace;
    QPointer<QWidget> m_parent;
    QPointer<QProgressDialog> m_progress;
    QPointer<QMessageBox> m_result;
};

} // namespace velmora
