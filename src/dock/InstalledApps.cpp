#include "InstalledApps.h"

#include "platform/FileLocations.h"
#include "plist/PropertyList.h"

#include <QCollator>
#include <QCoro/QCoroFuture>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace velmora::InstalledApps {

namespace {

// What the bundle's information dictionary says: "CFBundleDisplayName", else "CFBundleName", else
// the file name; the identifier from "CFBundleIdentifier".
InstalledApp describe(const QString &bundlePath, const QUrl &url, const QString &fileName)
{
    InstalledApp app;
    app.url = url;
    app.name = QFileInfo(fileName).completeBaseName();
    const Result<QVariant> info = PropertyList::readFile(bundlePath + QStringLiteral("/Contents/Info.plist"));
    if (!info || info->typeId() != QMetaType::QVariantMap)
        return app;
    const QVariantMap dictionary = info->toMap();
    const QVariant displayName = dictionary.value(QStringLiteral("CFBundleDisplayName"));
    const QVariant bundleName = dictionary.value(QStringLiteral("CFBundleName"));
    if (displayName.typeId() == QMetaType::QString)
        app.name = displayName.toString();
    else if (bundleName.typeId() == QMetaType::QString)
        app.name = bundleName.toString();
    const QVariant identifier = dictionary.value(QStringLiteral("CFBundleIdentifier"));
    if (identifier.typeId() == QMetaType::QString)
        app.bundleIdentifier = identifier.toString();
    return app;
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
        const QDir dir(folder);
        if (!QFileInfo::exists(folder) || !dir.isReadable())
            continue;
        // Hidden entries are left out; a listing in name order keeps the scan the same from run to run.
        const QFileInfoList entries =
            dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
        QString base = folder;
        while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
            base.chop(1);
        for (const QFileInfo &entry : entries) {
            const QString fileName = entry.fileName();
            // ".app" exactly: "Thing.APP" is not an application here.
            if (entry.suffix() != QLatin1String("app"))
                continue;
            const QString path = base + QLatin1Char('/') + fileName;
            const QUrl url = QUrl::fromLocalFile(entry.isDir() ? path + QLatin1Char('/') : path);
            const QString key = standardized(url).toString(QUrl::FullyEncoded);
            if (seen.contains(key))
                continue;
            seen.insert(key);
            apps.append(describe(path, url, fileName));
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
