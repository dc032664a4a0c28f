#include "ProfileMenu.h"

#include "profiles/ProfileApplier.h"
#include "ProfileDiffView.h"
#include "profiles/ProfileDocument.h"
#include "engine/TweakEngine.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"
#include "gui/kit/Panels.h"
#include "gui/kit/Tasks.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace velmora {

namespace {

const QString kFilter = QStringLiteral("Property List (*.plist)");

} // namespace

ProfileMenu::ProfileMenu(const AppContext &context, QWidget *parent) : QToolButton(parent), m_context(context)
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
    m_menu->addSeparator();
    m_reset = m_menu->addAction(QIcon(symbols.symbol(QStringLiteral("arrow.uturn.backward"), ink, 16, dpr)),
                                tr("Reset All Pending"), this, &ProfileMenu::resetAllPending);
    setMenu(m_menu);
}

void ProfileMenu::saveProfile()
{
    const ProfileDocument document(
        Profile::makeFromCurrentState(m_context.engine, QCoreApplication::applicationVersion()));
    std::optional<QString> path =
        m_context.panels.chooseSaveFile(window(), tr("Save Profile"), suggestedFileName(), kFilter);
    if (!path)
        return;
    // The panel adds the property-list extension when the user typed none.
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".plist");
    const Status written = document.write(*path);
    // A profile that silently failed to save would be lost without the user knowing: say so.
    if (!written) {
        m_context.panels.showError(window(), tr("The profile could not be saved."), written.error());
        return;
    }
    // Nor should it silently hold fewer values than the user thinks: a damaged domain reads as empty.
    const QMap<QString, QString> unreadable = m_context.engine.unreadableDomains();
    if (unreadable.isEmpty())
        return;
    QStringList details;
    for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
        details << tr("%1: %2").arg(it.key(), it.value());
    const QString message =
        unreadable.size() == 1
            ? tr("The profile was saved without the settings of 1 domain that could not be read.")
            : tr("The profile was saved without the settings of %1 domains that could not be read.")
                  .arg(unreadable.size());
    m_context.panels.showWarning(window(), message, details.join(QLatin1Char('\n')));
}

void ProfileMenu::loadProfile()
{
    const std::optional<QString> path =
        m_context.panels.chooseOpenFile(window(), tr("Load Profile"), kFilter);
    if (!path)
        return;
    QFile file(*path);
    if (!QFileInfo(*path).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    const Result<Profile> profile = Profile::decode(file.readAll());
    // A file that is not a profile opens no review; nothing else happens.
    if (!profile)
        return;
    review(*profile);
}

void ProfileMenu::review(const Profile &profile)
{
    m_diffItems = computeItems(profile, m_context.engine);
    if (m_sheet)
        m_sheet->close();
    m_sheet = new ProfileDiffView(profile, m_diffItems, m_context.platform.symbols(), window());
    m_sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_sheet, &ProfileDiffView::applyRequested, this,
            [this, profile] { startTask(applyReviewed(profile), this); });
    m_sheet->open();
}

QCoro::Task<> ProfileMenu::applyReviewed(Profile profile)
{
    QPointer<ProfileMenu> self(this);
    const ProfileApplyReport report = co_await applyProfile(&m_context.engine, profile);
    if (!self || report.ok())
        co_return;
    // The engine's status line shows only the last failure, and a later success clears it: the user
    // hears here about every value that did not land.
    QStringList details;
    for (const ProfileApplyReport::Failure &failure : report.failures)
        details << tr("%1: %2").arg(failure.title, failure.reason.trimmed());
    const qsizetype failed = report.failures.size();
    QString message;
    if (report.attempted == 1)
        message = tr("The profile's value could not be applied.");
    else if (failed == 1)
        message = tr("1 of %1 values could not be applied.").arg(report.attempted);
    else
        message = tr("%1 of %2 values could not be applied.").arg(failed).arg(report.attempted);
    m_context.panels.showError(window(), message, details.join(QStringLiteral("\n\n")));
}

void ProfileMenu::resetAllPending()
{
    startTask(m_context.engine.restartPending(), this);
}

} // namespace velmora
