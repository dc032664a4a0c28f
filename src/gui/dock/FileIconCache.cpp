#include "FileIconCache.h"

#include "gui/kit/Tasks.h"
#include "platform/Workspace.h"

#include <QCoro/QCoroFuture>
#include <QPixmap>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {

QImage readIcon(const Workspace *workspace, const QString &path, int side)
{
    return workspace->iconForFile(path, side);
}

} // namespace

FileIconCache::FileIconCache(const Workspace &workspace, int side, QObject *parent)
    : QObject(parent), m_workspace(workspace), m_side(side)
{
}

FileIconCache::~FileIconCache()
{
    for (QFuture<QImage> &future : m_loading)
        future.waitForFinished();
}

QIcon FileIconCache::icon(const QString &path)
{
    const auto found = m_icons.constFind(path);
    if (found != m_icons.constEnd())
        return *found;
    if (!m_loading.contains(path))
        startTask(load(path), this);
    return QIcon();
}

QCoro::Task<> FileIconCache::load(QString path)
{
    QPointer<FileIconCache> self(this);
    QFuture<QImage> future = QtConcurrent::run(&readIcon, &m_workspace, path, m_side);
    m_loading.insert(path, future);
    const QImage image = co_await future;
    if (!self)
        co_return;
    m_loading.remove(path);
    m_icons.insert(path, QIcon(QPixmap::fromImage(image)));
    emit iconReady(path);
}

} // namespace velmora
