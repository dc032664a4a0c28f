#include "UpdateAlertDialogs.h"

#include "ReleaseNotesView.h"
#include "gui/kit/MessageBoxFit.h"
#include "platform/Workspace.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace velmora {

UpdateAlertDialogs::UpdateAlertDialogs(Workspace &workspace, QWidget *parent)
    : m_workspace(workspace), m_parent(parent)
{
}

UpdateAlertDialogs::~UpdateAlertDialogs()
{
    delete m_progress;
    delete m_result;
}

void UpdateAlertDialogs::showChecking(std::function<void()> cancel)
{
    hideChecking();
    auto *progress = new QProgressDialog(tr("Checking for updates…"), tr("Cancel"), 0, 0, m_parent);
    progress->setObjectName(QStringLiteral("updateChecking"));
    progress->setWindowTitle(tr("Software Update"));
    progress->setWindowModality(Qt::NonModal);
    progress->setMinimumDuration(0);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setMinimumWidth(
        std::max(MessageBoxFit::titleWidth(progress->windowTitle()), progress->sizeHint().width()));
    QObject::connect(progress, &QProgressDialog::canceled, progress, [cancel] { cancel(); });
    m_progress = progress;
    progress->show();
}

void UpdateAlertDialogs::hideChecking()
{
    if (!m_progress)
        return;
    // Closing the window by hand also reports "cancelled"; a check that has ended has nothing to cancel.
    QObject::disconnect(m_progress, &QProgressDialog::canceled, nullptr, nullptr);
    m_progress->hide();
    m_progress->deleteLater();
    m_progress = nullptr;
}

namespace {

// Only web pages: a link in notes from the network must not reach a file or another program.
bool isWebPage(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("https") || scheme == QLatin1String("http"));
}

// Puts `widget` under the box's details, above its buttons. A message box has no place for more
// than its texts; its grid is rebuilt whenever a text or the icon changes, so this comes last.
void addUnderDetails(QMessageBox *box, QWidget *widget)
{
    auto *grid = qobject_cast<QGridLayout *>(box->layout());
    auto *buttons = box->findChild<QDialogButtonBox *>();
    auto *details = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
    const int buttonsIndex = grid && buttons ? grid->indexOf(buttons) : -1;
    const int detailsIndex = grid && details ? grid->indexOf(details) : -1;
    if (buttonsIndex < 0 || detailsIndex < 0) {
        delete widget;
        return;
    }
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    int detailsRow = 0, detailsColumn = 0, detailsColumnSpan = 0;
    grid->getItemPosition(detailsIndex, &detailsRow, &detailsColumn, &rowSpan, &detailsColumnSpan);
    grid->getItemPosition(buttonsIndex, &row, &column, &rowSpan, &columnSpan);
    delete grid->takeAt(buttonsIndex);
    grid->addWidget(widget, row, detailsColumn, 1, detailsColumnSpan);
    grid->addWidget(buttons, row + 1, column, 1, columnSpan);
}

} // namespace

QMessageBox *UpdateAlertDialogs::makeBox(const QString &name, const QString &text, const QString &details,
                                         Qt::TextFormat format, QMessageBox::Icon kind, QWidget *extra)
{
    if (m_result)
        m_result->close();
    auto *box = new QMessageBox(m_parent);
    box->setObjectName(name);
    box->setWindowTitle(tr("Software Update"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setText(text);
    box->setInformativeText(details);
    // Feed texts come from the network: they are shown as written, never interpreted as markup,
    // and links open through the workspace rather than whatever Qt would pick.
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"))) {
        label->setTextFormat(format);
        label->setOpenExternalLinks(false);
        if (format == Qt::RichText)
            label->setTextInteractionFlags(Qt::TextBrowserInteraction);
        QObject::connect(label, &QLabel::linkActivated, box,
                         [this](const QString &link) { m_workspace.openURL(QUrl(link, QUrl::StrictMode)); });
    }
    // The application's icon, as a system alert shows it; the kind's sign until the application has one.
    const QIcon icon = m_parent ? m_parent->windowIcon() : QApplication::windowIcon();
    if (icon.isNull())
        box->setIcon(kind);
    else
        box->setIconPixmap(icon.pixmap(64, 64));
    if (extra)
        addUnderDetails(box, extra);
    MessageBoxFit::toText(box);
    m_result = box;
    return box;
}

void UpdateAlertDialogs::showUpToDate(const UpdateCheckResult &result)
{
    hideChecking();
    QMessageBox *box =
        makeBox(QStringLiteral("updateUpToDate"), tr("You're up to date!"),
                tr("Velmora %1 is currently the newest version available.").arg(result.currentVersion),
                Qt::PlainText, QMessageBox::Information);
    box->setStandardButtons(QMessageBox::Ok);
    box->open();
}

void UpdateAlertDialogs::showUpdateAvailable(const UpdateCheckResult &result)
{
    hideChecking();
    QString details =
        tr("Velmora %1 is now available—you have %2.")
            .arg(result.item.displayVersion().toHtmlEscaped(), result.currentVersion.toHtmlEscaped());
    if (result.item.releaseNotesURL.isValid())
        details += QStringLiteral("<br><br><a href=\"%1\">%2</a>")
                       .arg(result.item.releaseNotesURL.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                            tr("Release Notes").toHtmlEscaped());
    // A link to the notes is offered as it is (the page opens in the browser); notes written into
    // the feed are shown here, with nothing fetched to show them.
    ReleaseNotesView *notes = nullptr;
    if (!result.item.releaseNotesURL.isValid() && !result.item.releaseNotes.trimmed().isEmpty()) {
        notes = new ReleaseNotesView;
        notes->setNotes(result.item.releaseNotes, result.item.releaseNotesFormat);
        QObject::connect(notes, &QTextBrowser::anchorClicked, notes, [this](const QUrl &link) {
            if (isWebPage(link))
                m_workspace.openURL(link);
        });
    }
    QMessageBox *box =
        makeBox(QStringLiteral("updateAvailable"), tr("A new version of Velmora is available!"), details,
                Qt::RichText, QMessageBox::Information, notes);
    const QUrl download = result.item.downloadPage();
    if (download.isValid()) {
        QPushButton *button = box->addButton(tr("Download"), QMessageBox::AcceptRole);
        button->setObjectName(QStringLiteral("download"));
        box->setDefaultButton(button);
        QObject::connect(button, &QPushButton::clicked, box,
                         [this, download] { m_workspace.openURL(download); });
        box->addButton(tr("Later"), QMessageBox::RejectRole);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    box->open();
}

void UpdateAlertDialogs::showError(const UpdateCheckResult &result)
{
    hideChecking();
    QMessageBox *box = makeBox(QStringLiteral("updateError"), tr("Velmora could not check for updates."),
                               result.error, Qt::PlainText, QMessageBox::Warning);
    box->setStandardButtons(QMessageBox::Ok);
    box->open();
}

} // namespace velmora
