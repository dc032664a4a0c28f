#include "InstalledApps.h"

#include "platform/FileLocations.h"
#include "plist/PropertyList.h"

#include <QCollator>
#include <QCoro/QCoroFuture>
#include <QFile>
#include <QSet>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <optional>
#include <string_view>

#include <dirent.h>
#include <sys/stat.h>

namespace velmora::InstalledApps {

namespace {

const QString kDisplayName = QStringLiteral("CFBundleDisplayName");
const QString kBundleName = QStringLiteral("CFBundleName");
const QString kIdentifier = QStringLiteral("CFBundleIdentifier");

// What the bundle's information dictionary says: "CFBundleDisplayName", else "CFBundleName", else
// the file name; the identifier from "CFBundleIdentifier". The file is opened without asking first
// whether it is there: "not there" is one of the answers, and asking costs a lookup per bundle.
InstalledApp describe(const QString &bundlePath, QUrl url, const QString &fileName)
{
    InstalledApp app;
    app.url = std::move(url);
    const Result<QHash<QString, QString>> info = PropertyList::readTexts(
        bundlePath + QStringLiteral("/Contents/Info.plist"), {kDisplayName, kBundleName, kIdentifier});
    const auto text = [&info](const QString &key) -> std::optional<QString> {
        if (!info)
            return std::nullopt;
        const auto found = info->constFind(key);
        return found == info->cend() ? std::nullopt : std::optional<QString>(*found);
    };
    // ".app" off the end, as QFileInfo::completeBaseName would take it.
    app.name = text(kDisplayName).value_or(text(kBundleName).value_or(fileName.chopped(4)));
    app.bundleIdentifier = text(kIdentifier);
    return app;
}

struct Entry {
    QString fileName;
    bool isFolder = false;
};

// The ".app" entries directly in `folder`, hidden ones left out, in name order so the scan is the same
// from run to run. The listing tells each entry's type; only a link (a real Applications folder
// holds linked applications) or a file system that does not say is asked with `stat`, which follows
// the link. An unreadable or missing folder lists nothing.
QList<Entry> applicationEntries(const QString &folder)
{
    QList<Entry> entries;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return entries;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        // ".app" exactly: "Thing.APP" is not an application here. A name starting with "." is hidden.
        if (name.size() <= 4 || name.front() == '.' || !name.ends_with(".app"))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isFolder = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        entries.append({QFile::decodeName(entry->d_name), isFolder});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.fileName < b.fileName; });
    return entries;
}

} // namespace

QUrl standardized(const QUrl &url)
{
    return url.adjusted(QUrl::NormalizePathSegments);
}

QStringList folders(const FileLocations &locations)
{
    return locations.applicationFolders;
}

QList<InstalledApp> scan(const QStringList &folders)
{
    QList<InstalledApp> apps;
    QSet<QString> seen;
    for (const QString &folder : folders) {
        const QList<Entry> entries = applicationEntries(folder);
        if (entries.isEmpty())
            continue;
        QString base = folder;
        while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
            base.chop(1);
        // A name holds no "/" and is neither "." nor "..": standardizing the folder once standardizes
        // every path in it.
        const QString standardBase =
            standardized(QUrl::fromLocalFile(base + QLatin1Char('/'))).path(QUrl::FullyDecoded);
        for (const Entry &entry : entries) {
            const QString path = base + QLatin1Char('/') + entry.fileName;
            const QString slash = entry.isFolder ? QStringLiteral("/") : QString();
            const QString key = standardBase + entry.fileName + slash;
            if (seen.contains(key))
                continue;
            seen.insert(key);
            apps.append(describe(path, QUrl::fromLocalFile(path + slash), entry.fileName));
        }
    }

    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(apps.begin(), apps.end(), [&collator](const InstalledApp &a, const InstalledApp &b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return apps;
}

QCoro::Task<QList<InstalledApp>> scanInBackground(QStringList folders)
{
    QFuture<QList<InstalledApp>> future = QtConcurrent::run(&scan, std::move(folders));
    co_return co_await future;
}

} // namespace velmora::InstalledApps
