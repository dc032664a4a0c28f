#include "DockAppsViewModel.h"

#include "DockPreferences.h"
#include "DockTiles.h"
#include "InstalledApps.h"
#include "platform/Platform.h"

#include <QPointer>
#include <QSet>

namespace velmora {

DockAppsViewModel::DockAppsViewModel(Platform &platform, QObject *parent)
    : QObject(parent), m_platform(&platform), m_apps(new DockAppListModel(this)),
      m_others(new DockOtherListModel(this)), m_available(new AvailableAppListModel(this))
{
}

QList<InstalledApp> DockAppsViewModel::filterInstalledApps() const
{
    QSet<QString> inDock;
    for (const DockAppEntry &entry : currentApps())
        inDock.insert(InstalledApps::standardized(entry.url).toString(QUrl::FullyEncoded));
    const QString search = m_searchText.trimmed();
    QList<InstalledApp> available;
    for (const InstalledApp &app : m_installedApps) {
        if (inDock.contains(InstalledApps::standardized(app.url).toString(QUrl::FullyEncoded)))
            continue;
        if (!search.isEmpty() && !app.name.contains(search, Qt::CaseInsensitive))
            continue;
        available.append(app);
    }
    return available;
}

void DockAppsViewModel::setSearchText(const QString &text)
{
    if (m_searchText == text)
        return;
    m_searchText = text;
    m_available->setApps(filterInstalledApps());
    emit searchTextChanged();
}

void DockAppsViewModel::readDock()
{
    if (m_apps->setEntries(DockPreferences::readApps(*m_platform)))
        announceApps();
    if (m_others->setEntries(DockPreferences::readOthers(*m_platform)))
        emit currentOthersChanged();
    setDirty(false);
    setLastError(std::nullopt);
}

QCoro::Task<> DockAppsViewModel::load()
{
    QPointer<DockAppsViewModel> self(this);
    // The lists are the Dock's from here on: edits made while the scan runs are edits, and stay so.
    readDock();
    setLoading(true);
    const QStringList folders = InstalledApps::folders(m_platform->fileLocations());
    QList<InstalledApp> apps = co_await InstalledApps::scanInBackground(folders);
    if (!self)
        co_return;
    setInstalledApps(apps);
    setLoading(false);
}

QCoro::Task<> DockAppsViewModel::revert()
{
    readDock();
    co_return;
}

QCoro::Task<> DockAppsViewModel::apply()
{
    QPointer<DockAppsViewModel> self(this);
    const quint64 editsAtStart = m_edits;
    ++m_applying;
    if (m_applying == 1)
        emit isApplyingChanged();
    setLastError(std::nullopt);

    Platform &platform = *m_platform;
    const QList<DockAppEntry> apps = currentApps();
    const QList<DockOtherEntry> others = currentOthers();
    const DockWriteStatus appsWritten = co_await DockPreferences::writeApps(platform, apps);
    if (!self)
        co_return;
    const DockWriteStatus othersWritten = co_await DockPreferences::writeOthers(platform, others);
    if (!self)
        co_return;

    // A failed restart leaves the new tiles in the preference, where the Dock finds them when it
    // next starts: the edits are applied. A preference that could not be written keeps them pending.
    QStringList problems;
    bool stored = true;
    const QList<DockWriteStatus> statuses{appsWritten, othersWritten};
    for (const DockWriteStatus &status : statuses) {
        if (status)
            continue;
        stored = stored && status.error().preferenceWritten();
        if (!problems.contains(status.error().description))
            problems << status.error().description;
    }
    if (!problems.isEmpty())
        setLastError(problems.join(QLatin1Char('\n')));
    if (stored && m_edits == editsAtStart)
        setDirty(false);
    if (--m_applying == 0)
        emit isApplyingChanged();
}

void DockAppsViewModel::edited()
{
    ++m_edits;
    setDirty(true);
}

void DockAppsViewModel::announceApps()
{
    // The offer follows the Dock before anyone hears of the change, so both lists agree when they do.
    m_available->setApps(filterInstalledApps());
    emit currentAppsChanged();
}

void DockAppsViewModel::addApp(const InstalledApp &app)
{
    DockAppEntry entry;
    entry.url = app.url;
    entry.label = app.name;
    entry.bundleIdentifier = app.bundleIdentifier;
    m_apps->append(entry);
    announceApps();
    edited();
}

void DockAppsViewModel::removeApp(const DockAppEntry &entry)
{
    if (m_apps->removeURL(entry.url))
        announceApps();
    edited();
}

void DockAppsViewModel::moveApps(const QList<int> &sources, int destination)
{
    if (m_apps->move(sources, destination))
        emit currentAppsChanged();
    edited();
}

void DockAppsViewModel::addFolder(const QUrl &url)
{
    m_others->append(DockOtherEntry::make(url, lastPathComponent(url), DockItemType::folder, 2, 1));
    emit currentOthersChanged();
    edited();
}

void DockAppsViewModel::addSpacer(bool small)
{
    m_others->append(DockOtherEntry::spacer(small));
    emit currentOthersChanged();
    edited();
}

void DockAppsViewModel::removeOther(const DockOtherEntry &entry)
{
    if (m_others->removeID(entry.entryID))
        emit currentOthersChanged();
    edited();
}

void DockAppsViewModel::moveOthers(const QList<int> &sources, int destination)
{
    if (m_others->move(sources, destination))
        emit currentOthersChanged();
    edited();
}

void DockAppsViewModel::setInstalledApps(const QList<InstalledApp> &apps)
{
    if (m_installedApps == apps)
        return;
    m_installedApps = apps;
    m_available->setApps(filterInstalledApps());
    emit installedAppsChanged();
}

void DockAppsViewModel::setDirty(bool dirty)
{
    if (m_isDirty == dirty)
        return;
    m_isDirty = dirty;
    emit isDirtyChanged();
}

void DockAppsViewModel::setLoading(bool loading)
{
    if (m_isLoading == loading)
        return;
    m_isLoading = loading;
    emit isLoadingChanged();
}

void DockAppsViewModel::setLastError(const std::optional<QString> &error)
{
    if (m_lastError == error)
        return;
    m_lastError = error;
    emit lastErrorChanged();
}

} // namespace velmora
