#pragma once

#include <QCoro/QCoroTask>
#include <QFuture>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QObject>

namespace velmora {

class Workspace;

/// The icons of the files the Dock editor's rows show. Reading one means reading the bundle's
/// Info.plist and decoding its icon file, so it happens on a worker thread: `icon` answers at once
/// with what is known (a null icon the first time, drawn as nothing) and `iconReady` tells the views
/// when the icon has arrived. Each path is read once.
class FileIconCache : public QObject {
    Q_OBJECT

public:
    /// Icons of `side` pixels, enough for the rows' 32 points on a high-density screen.
    FileIconCache(const Workspace &workspace, int side, QObject *parent = nullptr);
    /// Waits for the reads still running: they use the workspace, which may go after this.
    ~FileIconCache() override;

    QIcon icon(const QString &path);
    /// Whether any read is still running.
    bool isLoading() const { return !m_loading.isEmpty(); }

signals:
    void iconReady(const QString &path);

private:
    QCoro::Task<> load(QString path);

    const Workspace &m_workspace;
    int m_side;
    QHash<QString, QIcon> m_icons;
    QHash<QString, QFuture<QImage>> m_loading;
};

} // namespace velmora
