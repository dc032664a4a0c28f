#pragma once

// A tiny file system for tests of full disks and read-only folders: a tmpfs mounted on a folder.
// Mounting needs privileges a test seldom has, so the test first runs itself again in a mount
// namespace of its own (as root directly, otherwise as root of a new user namespace). The mount
// lives and dies with that process: nothing is left mounted on the machine, whatever happens.

#include "common/Result.h"

#include <QString>
#include <QTemporaryDir>

namespace velmora::test {

class SmallFileSystem {
public:
    enum class Outcome { passed, failed, skipped };
    struct Rerun {
        Outcome outcome = Outcome::failed;
        QString text; ///< why it was skipped, or the output of a failure
    };

    /// Whether this process is the run inside a mount namespace of its own.
    static bool inOwnNamespace();
    /// Runs the current test function (with its data row) again in a new mount namespace.
    static Rerun rerunCurrentTest();

    /// Mounts a tmpfs of `kibibytes` on a new temporary folder; only inside the test's own namespace.
    explicit SmallFileSystem(int kibibytes);
    /// Unmounts it, so the temporary folder can go.
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    /// Success, or why nothing could be mounted.
    const Status &mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }

    /// Takes every free byte into one file.
    Status fill() const;
    /// Makes the mount read-only: what is there stays readable, nothing can be written.
    Status makeReadOnly() const;

private:
    QTemporaryDir m_dir;
    Status m_mounted;
};

} // namespace velmora::test

// Runs the rest of the test function in a mount namespace of its own: in the calling process it
// reruns the test there, reports the outcome and returns.
#define VELMORA_IN_OWN_MOUNT_NAMESPACE()                                                                     \
    do {                                                                                                     \
        if (!velmora::test::SmallFileSystem::inOwnNamespace()) {                                             \
            const velmora::test::SmallFileSystem::Rerun rerun_ =                                             \
                velmora::test::SmallFileSystem::rerunCurrentTest();                                          \
            if (rerun_.outcome == velmora::test::SmallFileSystem::Outcome::skipped)                          \
                QSKIP(qPrintable(rerun_.text));                                                              \
            QVERIFY2(rerun_.outcome == velmora::test::SmallFileSystem::Outcome::passed,                      \
                     qPrintable(rerun_.text));                                                               \
            return;                                                                                          \
        }                                                                                                    \
    } while (false)
