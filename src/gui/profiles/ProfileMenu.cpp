#include "ProfileMenu.h"

#include "ProfileDiffView.h"
#include "engine/TweakEngine.h"
#include "gui/kit/Panels.h"
#include "gui/kit/Tasks.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"
#include "profiles/ProfileDocument.h"
#include "profiles/ProfileExporter.h"
#include "profiles/RestorePoints.h"
#include "profiles/ScriptImport.h"

#include <QCoreApplication>
#include <QCoro/QCoroFuture>
#include <QFileInfo>
#include <QMenu>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {

QString profileFilter()
{
    return ProfileMenu::tr("Property List (*.plist)");
}

// A profile carries the desktop picture, tens of megabytes of text to encode and write: a worker's job.
Status writeProfile(Profile profile, QString path)
{
    return ProfileDocument(std::move(profile)).write(path);
}

// An export decodes the desktop picture's tens of megabytes of text to find its path: a worker's job.
Result<QList<ExportPlan::Skip>> writeExport(ProfileExportDialog::Request request, Profile profile,
                                            QString path)
{
    return ProfileExporter::make(request.format, request.options)
        ->write(profile, TweakRegistry::shared(), path);
}

QString scriptFilter()
{
    // Dotfiles' settings scripts often have no extension at all (".macos").
    return ProfileMenu::tr("Shell Scripts (*.sh *.bash *.zsh .macos *.macos);;All Files (*)");
}

Result<ScriptImport> readScript(QString path, TweakRegistry registry, QString appVersion)
{
    return ScriptImport::readFile(path, registry, appVersion);
}

std::optional<Result<RestorePoint>> latestRestorePoint(QString folder)
{
    return RestorePoints::latest(folder);
}

} // namespace

ProfileMenu::ProfileMenu(const AppContext &context, QWidget *parent) : MenuButton(parent), m_context(context)
{
    const SymbolImages &symbols = m_context.platform.symbols();
    const QColor ink = palette().color(QPalette::ButtonText);
    const qreal dpr = devicePixelRatioF();
    setText(tr("Profiles"));
    setIcon(QIcon(symbols.symbol(QStringLiteral("doc.text"), ink, 16, dpr)));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    setAccessibleName(tr("Profiles"));

    m_menu = new QMenu(this);
    m_save = m_menu->addAction(QIcon(symbols.symbol(QStringLiteral("square.and.arrow.down"), ink, 16, dpr)),
                               tr("Save Profile…"), this, &ProfileMenu::saveProfile);
    m_load = m_menu->addAction(QIcon(symbols.symbol(QStringLiteral("square.and.arrow.up"), ink, 16, dpr)),
                               tr("Load Profile…"), this, &ProfileMenu::loadProfile);
    m_export = m_menu->addAction(
        QIcon(symbols.symbol(QStringLiteral("square.and.arrow.up.on.square"), ink, 16, dpr)), tr("Export…"),
        this, &ProfileMenu::exportProfile);
    m_importScript =
        m_menu->addAction(QIcon(symbols.symbol(QStringLiteral("doc.richtext.fill"), ink, 16, dpr)),
                          tr("Import from Script…"), this, &ProfileMenu::importScript);
    m_undo = m_menu->addAction(QIcon(symbols.symbol(QStringLiteral("clock.arrow.circlepath"), ink, 16, dpr)),
                               tr("Undo Last Apply"), this, &ProfileMenu::undoLastApply);
    m_menu->addSeparator();
    m_reset = m_menu->addAction(QIcon(symbols.symbol(QStringLiteral("arrow.uturn.backward"), ink, 16, dpr)),
                                tr("Reset All Pending"), this, &ProfileMenu::resetAllPending);
    setMenu(m_menu);
    // Another process (velmoractl) may have applied or undone something meanwhile.
    connect(m_menu, &QMenu::aboutToShow, this, &ProfileMenu::updateUndoAction);
    updateUndoAction();
}

void ProfileMenu::saveProfile()
{
    startTask(saveCurrentState(), this);
}

QCoro::Task<> ProfileMenu::saveCurrentState()
{
    QPointer<ProfileMenu> self(this);
    Profile profile =
        co_await Profile::makeFromCurrentState(&m_context.engine, QCoreApplication::applicationVersion());
    if (!self)
        co_return;
    std::optional<QString> path =
        m_context.panels.chooseSaveFile(window(), tr("Save Profile"), suggestedFileName(), profileFilter());
    if (!self || !path)
        co_return;
    // The panel adds the property-list extension when the user typed none.
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".plist");
    QFuture<Status> writing = QtConcurrent::run(&writeProfile, std::move(profile), *path);
    const Status written = co_await writing;
    if (!self)
        co_return;
    // A profile that silently failed to save would be lost without the user knowing: say so.
    if (!written) {
        m_context.panels.showError(window(), tr("The profile could not be saved."), written.error());
        co_return;
    }
    // Nor should it silently hold fewer values than the user thinks: a damaged domain reads as empty.
    const QMap<QString, QString> unreadable = m_context.engine.unreadableDomains();
    if (unreadable.isEmpty())
        co_return;
    QStringList details;
    for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
        details << tr("%1: %2").arg(it.key(), it.value());
    // Singular and plural are separate texts: with no translation loaded a "domain(s)" would show as
    // it is written. A translation still gets the count for its own plural forms.
    const int domains = static_cast<int>(unreadable.size());
    const QString message =
        domains == 1 ? tr("The profile was saved without the settings of %n domain that could not be read.",
                          nullptr, domains)
                     : tr("The profile was saved without the settings of %n domains that could not be read.",
                          nullptr, domains);
    m_context.panels.showWarning(window(), message, details.join(QLatin1Char('\n')));
}

void ProfileMenu::loadProfile()
{
    const std::optional<QString> path =
        m_context.panels.chooseOpenFile(window(), tr("Load Profile"), profileFilter());
    if (!path)
        return;
    startTask(review(*path), this);
}

QCoro::Task<> ProfileMenu::review(QString path)
{
    QPointer<ProfileMenu> self(this);
    const quint64 load = ++m_loads;
    const QString name = QFileInfo(path).fileName();
    // A file of tens of megabytes (a profile carries the desktop picture) is read and decoded on a
    // worker.
    QFuture<Result<ProfileDocument>> reading = QtConcurrent::run(&ProfileDocument::read, std::move(path));
    const Result<ProfileDocument> document = co_await reading;
    if (!self || load != m_loads)
        co_return;
    // A chosen file that opens nothing would read as a broken menu item: say which file and why, as
    // velmoractl does.
    if (!document) {
        m_context.panels.showError(window(), tr("“%1” isn't a Velmora profile.").arg(name), document.error());
        co_return;
    }
    const Profile profile = document->profile();
    QList<ProfileDiffItem> items = co_await computeItems(profile, &m_context.engine);
    // A later load supersedes this one.
    if (!self || load != m_loads)
        co_return;
    ProfileDiffView *sheet = openReview(profile, std::move(items));
    connect(sheet, &ProfileDiffView::applyRequested, this,
            [this, profile] { startTask(applyReviewed(profile), this); });
}

ProfileDiffView *ProfileMenu::openReview(const Profile &profile, QList<ProfileDiffItem> items)
{
    m_diffItems = std::move(items);
    if (m_sheet)
        m_sheet->close();
    m_sheet = new ProfileDiffView(profile, m_diffItems, m_context.platform.symbols(), window());
    m_sheet->setAttribute(Qt::WA_DeleteOnClose);
    m_sheet->open();
    return m_sheet;
}

void ProfileMenu::importScript()
{
    const std::optional<QString> path =
        m_context.panels.chooseOpenFile(window(), tr("Import from Script"), scriptFilter());
    if (!path)
        return;
    startTask(reviewScript(*path), this);
}

QCoro::Task<> ProfileMenu::reviewScript(QString path)
{
    QPointer<ProfileMenu> self(this);
    const quint64 load = ++m_loads;
    const QString name = QFileInfo(path).fileName();
    QFuture<Result<ScriptImport>> reading = QtConcurrent::run(
        &readScript, std::move(path), m_context.engine.registry(), QCoreApplication::applicationVersion());
    const Result<ScriptImport> import = co_await reading;
    if (!self || load != m_loads)
        co_return;
    if (!import) {
        m_context.panels.showError(window(), tr("“%1” could not be read.").arg(name), import.error());
        co_return;
    }
    if (import->mapped().isEmpty()) {
        m_context.panels.showError(window(), tr("Nothing in “%1” sets a setting Velmora knows.").arg(name),
                                   import->skippedReport());
        co_return;
    }
    // Said before the review opens, so nothing the user expected goes missing unnoticed.
    const int skipped = static_cast<int>(import->skipped().size());
    if (skipped > 0)
        m_context.panels.showWarning(window(),
                                     skipped == 1
                                         ? tr("%n line of “%1” was left out.", nullptr, skipped).arg(name)
                                         : tr("%n lines of “%1” were left out.", nullptr, skipped).arg(name),
                                     import->skippedReport());
    const Profile profile = import->profile();
    QList<ProfileDiffItem> items = co_await computeItems(profile, &m_context.engine);
    if (!self || load != m_loads)
        co_return;
    ProfileDiffView *sheet = openReview(profile, std::move(items));
    connect(sheet, &ProfileDiffView::applyRequested, this,
            [this, profile] { startTask(applyReviewed(profile), this); });
}

void ProfileMenu::undoLastApply()
{
    startTask(reviewUndo(), this);
}

QCoro::Task<> ProfileMenu::reviewUndo()
{
    QPointer<ProfileMenu> self(this);
    const quint64 load = ++m_loads;
    // A restore point carries the desktop picture: read on a worker.
    QFuture<std::optional<Result<RestorePoint>>> reading =
        QtConcurrent::run(&latestRestorePoint, restorePointsFolder());
    const std::optional<Result<RestorePoint>> latest = co_await reading;
    if (!self || load != m_loads)
        co_return;
    if (!latest) {
        m_context.panels.showError(window(), tr("There is nothing to undo."),
                                   tr("A restore point is kept each time a profile is applied."));
        updateUndoAction();
        co_return;
    }
    if (!*latest) {
        m_context.panels.showError(window(), tr("The last restore point cannot be read."), latest->error());
        co_return;
    }
    const RestorePoint point = latest->value();
    QList<ProfileDiffItem> items = co_await computeItems(point.reviewProfile(), &m_context.engine);
    if (!self || load != m_loads)
        co_return;
    ProfileDiffView *sheet = openReview(point.reviewProfile(), std::move(items));
    connect(sheet, &ProfileDiffView::applyRequested, this,
            [this, point] { startTask(undoReviewed(point), this); });
}

QCoro::Task<> ProfileMenu::applyReviewed(Profile profile)
{
    QPointer<ProfileMenu> self(this);
    const Result<ProfileApplyReport> applied = co_await RestorePoints::applyKeepingRestorePoint(
        &m_context.engine, profile, QCoreApplication::applicationVersion());
    if (!self)
        co_return;
    updateUndoAction();
    if (!applied) {
        m_context.panels.showError(window(), tr("The profile was not applied."), applied.error());
        co_return;
    }
    tellFailures(*applied);
}

QCoro::Task<> ProfileMenu::undoReviewed(RestorePoint point)
{
    QPointer<ProfileMenu> self(this);
    const ProfileApplyReport report = co_await RestorePoints::undo(&m_context.engine, point);
    if (!self)
        co_return;
    updateUndoAction();
    tellFailures(report);
}

void ProfileMenu::updateUndoAction()
{
    m_undo->setEnabled(!RestorePoints::paths(restorePointsFolder()).isEmpty());
}

QString ProfileMenu::restorePointsFolder() const
{
    return RestorePoints::folder(m_context.platform.fileLocations());
}

void ProfileMenu::tellFailures(const ProfileApplyReport &report)
{
    if (report.ok())
        return;
    // The engine's status line shows only the last failure, and a later success clears it: the user
    // hears here about every value that did not land.
    QStringList details;
    for (const ProfileApplyReport::Failure &failure : report.failures)
        details << tr("%1: %2").arg(failure.title, failure.reason.trimmed());
    const qsizetype failed = report.failures.size();
    const int attempted = static_cast<int>(report.attempted);
    QString message;
    if (attempted == 1)
        message = tr("The profile's value could not be applied.");
    else if (failed == 1)
        message = tr("1 of %n values could not be applied.", nullptr, attempted);
    else
        message = tr("%1 of %n values could not be applied.", nullptr, attempted).arg(failed);
    m_context.panels.showError(window(), message, details.join(QStringLiteral("\n\n")));
}

void ProfileMenu::exportProfile()
{
    if (m_exportDialog) {
        m_exportDialog->raise();
        return;
    }
    m_exportDialog = new ProfileExportDialog(window());
    m_exportDialog->setAttribute(Qt::WA_DeleteOnClose);
    ProfileExportDialog *dialog = m_exportDialog;
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { startTask(exportAs(dialog->request()), this); });
    dialog->open();
}

QCoro::Task<> ProfileMenu::exportAs(ProfileExportDialog::Request request)
{
    QPointer<ProfileMenu> self(this);
    const QString title = tr("Export Profile");
    Profile profile;
    if (request.fromFile) {
        std::optional<QString> source = m_context.panels.chooseOpenFile(window(), title, profileFilter());
        if (!source)
            co_return;
        const QString name = QFileInfo(*source).fileName();
        QFuture<Result<ProfileDocument>> reading = QtConcurrent::run(&ProfileDocument::read, *source);
        const Result<ProfileDocument> document = co_await reading;
        if (!self)
            co_return;
        if (!document) {
            m_context.panels.showError(window(), tr("“%1” isn't a Velmora profile.").arg(name),
                                       document.error());
            co_return;
        }
        profile = document->profile();
    } else {
        profile =
            co_await Profile::makeFromCurrentState(&m_context.engine, QCoreApplication::applicationVersion());
        if (!self)
            co_return;
    }

    const QString extension = fileExtension(request.format);
    std::optional<QString> path =
        m_context.panels.chooseSaveFile(window(), title, suggestedFileName() + QLatin1Char('.') + extension,
                                        tr("Export (*.%1)").arg(extension));
    if (!self || !path)
        co_return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QLatin1Char('.') + extension;
    QFuture<Result<QList<ExportPlan::Skip>>> writing =
        QtConcurrent::run(&writeExport, std::move(request), std::move(profile), *path);
    const Result<QList<ExportPlan::Skip>> skipped = co_await writing;
    if (!self)
        co_return;
    if (!skipped) {
        m_context.panels.showError(window(), tr("The profile could not be exported."), skipped.error());
        co_return;
    }
    if (skipped->isEmpty())
        co_return;
    // What the format cannot carry would otherwise be missing on the Macs it goes to, unsaid.
    QStringList details;
    for (const ExportPlan::Skip &skip : *skipped)
        details << tr("%1: %2").arg(skip.title, skip.reason);
    const int count = static_cast<int>(skipped->size());
    m_context.panels.showWarning(window(),
                                 count == 1 ? tr("The export leaves out %n setting.", nullptr, count)
                                            : tr("The export leaves out %n settings.", nullptr, count),
                                 details.join(QLatin1Char('\n')));
}

void ProfileMenu::resetAllPending()
{
    startTask(m_context.engine.restartPending(), this);
}

} // namespace velmora
