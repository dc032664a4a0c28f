#include "DockAppsViewModel.h"

#include "DockPreferences.h"
#include "DockTiles.h"
#include "InstalledApps.h"
#include "platform/Platform.h"

#include <QPointer>
#include <QSet>

#include <algorithm>

namespace velmora {

namespace {

// The usual list move: the elements at `sources` come out, keeping their order, and go in before
// the element that was at `destination`.
template <typename T> void moveElements(QList<T> &list, QList<int> sources, int destination)
{
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    sources.erase(
        std::remove_if(sources.begin(), sources.end(), [&list](int i) { return i < 0 || i >= list.size(); }),
        sources.end());
    if (sources.isEmpty())
        return;
    destination = std::clamp(destination, 0, int(list.size()));
    QList<T> moving;
    moving.reserve(sources.size());
    for (int i : sources)
        moving.append(list.at(i));
    const int before =
        int(std::count_if(sources.begin(), sources.end(), [destination](int i) { return i < destination; }));
    for (auto it = sources.crbegin(); it != sources.crend(); ++it)
        list.removeAt(*it);
    int at = destination - before;
    for (const T &element : moving)
        list.insert(at++, element);
}

} // namespace

DockAppsViewModel::DockAppsViewModel(Platform &platform, QObject *parent)
    : QObject(parent), m_platform(&platform)
{
}

QList<InstalledApp> DockAppsViewModel::availableApps() const
{
    QSet<QString> inDock;
    for (const DockAppEntry &entry : m_currentApps)
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
    emit searchTextChanged();
}

void DockAppsViewModel::readDock()
{
    setCurrentApps(DockPreferences::readApps(*m_platform));
    setCurrentOthers(DockPreferences::readOthers(*m_platform));
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
    const QList<DockAppEntry> apps = m_currentApps;
    const QList<DockOtherEntry> others = m_currentOthers;
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

void DockAppsViewModel::addApp(const InstalledApp &app)
{
    DockAppEntry entry;
    entry.url = app.url;
    entry.label = app.name;
    entry.bundleIdentifier = app.bundleIdentifier;
    QList<DockAppEntry> apps = m_currentApps;
    apps.append(entry);
    setCurrentApps(apps);
    edited();
}

void DockAppsViewModel::removeApp(const DockAppEntry &entry)
{
    QList<DockAppEntry> apps = m_currentApps;
    apps.removeIf([&entry](const DockAppEntry &e) { return e.url == entry.url; });
    setCurrentApps(apps);
    edited();
}

void DockAppsViewModel::moveApps(const QList<int> &sources, int destination)
{
    QList<DockAppEntry> apps = m_currentApps;
    moveElements(apps, sources, destination);
    setCurrentApps(apps);
    edited();
}

void DockAppsViewModel::addFolder(const QUrl &url)
{
    QList<DockOtherEntry> others = m_currentOthers;
    others.append(DockOtherEntry::make(url, lastPathComponent(url), DockItemType::folder, 2, 1));
    setCurrentOthers(others);
    edited();
}

void DockAppsViewModel::addSpacer(bool small)
{
    QList<DockOtherEntry> others = m_currentOthers;
    others.append(DockOtherEntry::spacer(small));
    setCurrentOthers(others);
    edited();
}

void DockAppsViewModel::removeOther(const DockOtherEntry &entry)
{
    QList<DockOtherEntry> others = m_currentOthers;
    others.removeIf([&entry](const DockOtherEntry &e) { return e.entryID == entry.entryID; });
    setCurrentOthers(others);
    edited();
}

void DockAppsViewModel::moveOthers(const QList<int> &sources, int destination)
{
    QList<DockOtherEntry> others = m_currentOthers;
    moveElements(others, sources, destination);
    setCurrentOthers(others);
    edited();
}

void DockAppsViewModel::setCurrentApps(const QList<DockAppEntry> &apps)
{
    // Entries compare by their modelled fields; an entry read afresh may carry other tile keys,
    // so the list is taken even when it compares equal, without announcing it.
    const bool changed = m_currentApps != apps;
    m_currentApps = apps;
    if (changed)
        emit currentAppsChanged();
}

void DockAppsViewModel::setCurrentOthers(const QList<DockOtherEntry> &others)
{
    const bool changed = m_currentOthers != others;
    m_currentOthers = others;
    if (changed)
        emit currentOthersChanged();
}

void DockAppsViewModel::setInstalledApps(const QList<InstalledApp> &apps)
{
    if (m_installedApps == apps)
        return;
    m_installedApps = apps;
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
