#pragma once

// A fresh simulated Mac in a temporary folder for one test, with the real stand-in tools, and a
// few helpers to look inside it.

#include "engine/TweakHandlers.h"
#include "platform/simulated/SimulatedPlatform.h"
#include "plist/PropertyList.h"

#include <QCoro/QCoroTask>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace velmora::test {

class TestRoot {
public:
    enum class Seed { none, standard };

    explicit TestRoot(Seed seed = Seed::standard);

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    SimulatedPlatform &platform() { return *m_platform; }
    /// Another platform on the same root, for an application that wants to own its platform.
    std::unique_ptr<SimulatedPlatform> makePlatform() const;
    const SimulatedRoot &root() const { return m_platform->root(); }

    /// The domain's plist as it is on disk; an empty map when there is no file.
    QVariantMap domain(const QString &domain) const;
    QVariantMap globalDomain() const;
    void writeDomain(const QString &domain, const QVariantMap &values) const;
    void writeGlobalDomain(const QVariantMap &values) const;

    /// An executable script in the root standing in for a tool; returns its path.
    QString writeTool(const QString &name, const QByteArray &script) const;
    /// A tool that prints `message` on standard error and exits with `status`.
    QString writeFailingTool(const QString &name, const QByteArray &message, int status = 1) const;

    /// The lines of the root's restart log.
    QStringList restartLog() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedPlatform> m_platform;
};

QByteArray readAll(const QString &path);
/// Replaces the file with `bytes`, making its folder first; whether all of them were written.
bool writeAll(const QString &path, const QByteArray &bytes);

/// The handlers the window and velmoractl bind: the Dock's contents and the desktop pictures.
TweakHandlers standardHandlers();

/// Runs a task to completion on the current thread's event loop (tests only).
template <typename T> T await(QCoro::Task<T> &&task)
{
    return QCoro::waitFor(std::move(task));
}

} // namespace velmora::test
