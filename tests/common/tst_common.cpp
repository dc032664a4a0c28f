// The atomic file writer: a file is replaced whole or not at all, on a full disk, in a folder
// nobody may write, and when its writer is killed at any moment.

#include "common/AtomicFile.h"
#include "platform/simulated/SimulatedRoot.h"
#include "plist/PropertyList.h"
#include "profiles/ProfileDocument.h"
#include "support/SmallFileSystem.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

int modeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

void writeBytes(const QString &path, const QByteArray &bytes, int mode = 0644)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// What a writer leaves behind when it is stopped halfway: temporaries and lock sidecars.
QStringList leftoversIn(const QString &folder)
{
    QStringList leftovers;
    for (const QString &entry : entriesOf(folder)) {
        if (entry.contains(QLatin1String(".tmp-")) || entry.endsWith(QLatin1String(".lock")))
            leftovers << entry;
    }
    return leftovers;
}

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

// A process id that is certainly gone: that of a child that has finished and been reaped.
qint64 goneProcessId()
{
    QProcess process;
    process.start(QStringLiteral("true"), QStringList());
    if (!process.waitForStarted(10000))
        return 0;
    const qint64 pid = process.processId();
    process.waitForFinished(10000);
    return pid;
}

} // namespace

class TestCommon : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writeReplacesTheWholeFile_data();
    void writeReplacesTheWholeFile();
    void failedWriteLeavesTheTargetAlone_data();
    void failedWriteLeavesTheTargetAlone();
    void temporariesOfGoneWritersAreRemoved();
    void killedWritersLeaveWholeFiles_data();
    void killedWritersLeaveWholeFiles();
};

void TestCommon::initTestCase()
{
    ::umask(022);
}

void TestCommon::writeReplacesTheWholeFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("existing"); // null: no file yet
    QTest::addColumn<int>("mode");            // the file's mode before and after; a new file gets 0644
    QTest::addColumn<bool>("throughLink");    // written through a symbolic link to the file
    QTest::addColumn<QByteArray>("bytes");

    const QString a = "a.plist";
    QTest::newRow("new file") << a << QByteArray() << 0644 << false << QByteArray("new");
    QTest::newRow("shorter over longer")
        << a << QByteArray("a much longer old content") << 0644 << false << QByteArray("short");
    QTest::newRow("empty") << a << QByteArray("old") << 0644 << false << QByteArray("");
    QTest::newRow("private file stays private")
        << a << QByteArray("old") << 0600 << false << QByteArray("new");
    QTest::newRow("large") << a << QByteArray() << 0644 << false << randomBytes(8 * 1024 * 1024);
    QTest::newRow("through a symbolic link") << a << QByteArray("old") << 0640 << true << QByteArray("new");
    // A temporary's name is longer than its target's; the longest names must still be writable.
    QTest::newRow("name of 255 bytes") << QString(249, QLatin1Char('x')) + ".plist" << QByteArray("old")
                                       << 0644 << false << QByteArray("new");
    QTest::newRow("name of 255 bytes in four-byte characters")
        << QString::fromUtf8("🌐").repeated(63) + "abc" << QByteArray("old") << 0644 << false
        << QByteArray("new");
}

void TestCommon::writeReplacesTheWholeFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, existing);
    QFETCH(int, mode);
    QFETCH(bool, throughLink);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString target = dir.path() + "/" + name;
    if (!existing.isNull())
        writeBytes(target, existing, mode);
    const QString link = dir.path() + "/link.plist";
    if (throughLink)
        QVERIFY(QFile::link(target, link));
    const QStringList entries = entriesOf(dir.path());

    const Status written = AtomicFile::write(throughLink ? link : target, bytes);
    QVERIFY2(written, qPrintable(written.error()));
    QCOMPARE(readAll(target), bytes);
    QCOMPARE(modeOf(target), mode);
    if (throughLink)
        QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(entriesOf(dir.path()), existing.isNull() ? QStringList{name} : entries);
}

void TestCommon::failedWriteLeavesTheTargetAlone_data()
{
    QTest::addColumn<QString>("reason");
    QTest::newRow("target is a folder") << "Is a directory";
    QTest::newRow("folder is missing") << "No such file or directory";
    QTest::newRow("folder without write permission") << "Permission denied";
    QTest::newRow("file without write permission") << "Permission denied";
    QTest::newRow("read-only file system") << "Read-only file system";
    QTest::newRow("disk full") << "No space left on device";
}

void TestCommon::failedWriteLeavesTheTargetAlone()
{
    QFETCH(QString, reason);
    const QString situation = QString::fromUtf8(QTest::currentDataTag());
    const bool onSmallDisk = situation == "read-only file system" || situation == "disk full";
    if (onSmallDisk)
        VELMORA_IN_OWN_MOUNT_NAMESPACE();
    if (situation.contains("permission") && ::geteuid() == 0)
        QSKIP("root may write anywhere; the read-only file system row stands in for this one");

    QTemporaryDir dir;
    std::unique_ptr<SmallFileSystem> disk;
    if (onSmallDisk) {
        disk = std::make_unique<SmallFileSystem>(1024);
        if (!disk->mounted())
            QSKIP(qPrintable("no small file system can be made here: " + disk->mounted().error()));
    }
    const QString folder = disk ? disk->path() : dir.path();
    const QString target =
        situation == "folder is missing" ? folder + "/missing/a.plist" : folder + "/a.plist";
    const QByteArray old = "the old content, whole";
    if (situation == "target is a folder")
        QVERIFY(QDir().mkdir(target));
    else if (situation != "folder is missing")
        writeBytes(target, old, situation == "file without write permission" ? 0444 : 0644);
    const auto restore = qScopeGuard([&] { ::chmod(QFile::encodeName(folder).constData(), 0755); });
    if (situation == "folder without write permission")
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    if (situation == "read-only file system")
        QVERIFY(disk->makeReadOnly());
    if (situation == "disk full")
        QVERIFY(disk->fill());
    const QStringList entries = entriesOf(folder);

    // Small enough to sit in a write buffer until the very end.
    const Status written = AtomicFile::write(target, QByteArray(100, 'n'));
    QVERIFY(!written);
    QVERIFY2(written.error().contains(reason), qPrintable(written.error()));
    QVERIFY2(written.error().contains(target), qPrintable(written.error()));
    if (situation == "target is a folder")
        QVERIFY(QFileInfo(target).isDir());
    else if (situation != "folder is missing")
        QCOMPARE(readAll(target), old);
    QCOMPARE(entriesOf(folder), entries);
}

void TestCommon::temporariesOfGoneWritersAreRemoved()
{
    QTemporaryDir dir;
    const QString target = dir.path() + "/a.plist";
    const qint64 gone = goneProcessId();
    QVERIFY(gone > 0);
    const QString own = QString::number(::getpid());
    const QStringList stale{".a.plist.tmp-" + QString::number(gone) + "-abc123"};
    const QStringList kept{
        ".a.plist.tmp-" + own + "-abc123",                      // this process: another thread may be writing
        ".a.plist.tmp-1-abc123",                                // a process that runs
        ".b.plist.tmp-" + QString::number(gone) + "-abc123",    // another file's, for its own writes
        ".a.plist.tmp-" + QString::number(gone) + "-abc12",     // not a temporary's name
        ".a.plist.tmp-" + QString::number(gone) + "x-abc123",   // nor this
        "a.plist.tmp-" + QString::number(gone) + "-abc123.txt", // nor this
    };
    for (const QString &name : stale + kept)
        writeBytes(dir.path() + "/" + name, "half a file");

    QVERIFY(AtomicFile::write(target, "whole"));
    QStringList expected = kept;
    expected << "a.plist";
    expected.sort();
    QCOMPARE(entriesOf(dir.path()), expected);
}

void TestCommon::killedWritersLeaveWholeFiles_data()
{
    QTest::addColumn<bool>("profile"); // a profile saved by velmoractl; otherwise a domain by defaults
    QTest::newRow("domain file") << false;
    QTest::newRow("profile") << true;
}

void TestCommon::killedWritersLeaveWholeFiles()
{
    // Each round changes what the writer will write, starts it and kills it at a random moment
    // (sometimes after it has finished). The file must then read as the old content or the new.
    QFETCH(bool, profile);
    TestRoot root;
    PreferenceStore &store = root.platform().preferences();
    const QString folder = profile ? root.path() + "/profiles" : root.root().preferencesFolder();
    QVERIFY(QDir().mkpath(folder));
    const QString target = profile ? folder + "/mine.plist" : *root.root().domainFile("com.example.big");
    // A big domain takes long enough to write that many kills land inside the write.
    const QByteArray blob = randomBytes(4 * 1024 * 1024);
    if (!profile)
        QVERIFY(PreferenceDomainFile(target).save({{"blob", blob}, {"round", qint64(0)}}));

    // The round the file holds; -1 when it is not whole.
    const auto roundInFile = [&]() -> qint64 {
        if (profile) {
            const Result<ProfileDocument> document = ProfileDocument::read(target);
            if (!document)
                return -1;
            const QString format = document->profile().values.value("menubar.clock-date-format").toString();
            return format.startsWith("round ") ? format.mid(6).toLongLong() : -1;
        }
        const Result<QVariant> values = PropertyList::readFile(target);
        if (!values || values->toMap().value("blob").toByteArray() != blob)
            return -1;
        return values->toMap().value("round").toLongLong();
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(SimulatedRoot::environmentVariable()), root.path());
    // velmoractl saves a profile of the round's clock format; defaults writes the round into the domain.
    const auto start = [&](QProcess &process, qint64 round) {
        process.setProcessEnvironment(environment);
        if (!profile)
            process.start(root.platform().defaultsToolPath(),
                          {"write", "com.example.big", "round", "-int", QString::number(round)});
        else if (store.setAppValue("DateFormat", QStringLiteral("round %1").arg(round),
                                   "com.apple.menuextra.clock"))
            process.start(QStringLiteral(VELMORA_BIN_DIR "/velmoractl"),
                          {"--simulated-root", root.path(), "profile", "save", target});
        return process.waitForStarted(10000);
    };
    const auto writeWhole = [&](qint64 round) {
        QProcess process;
        return start(process, round) && process.waitForFinished(30000) && process.exitCode() == 0;
    };

    // One whole run first: the file to start from, and how long a writer takes.
    QElapsedTimer timer;
    timer.start();
    QVERIFY(writeWhole(0));
    const qint64 runTime = qMax<qint64>(timer.elapsed(), 5);
    QCOMPARE(roundInFile(), 0);

    qint64 held = 0;
    int rounds = 0;
    int killed = 0;
    int midWrite = 0;
    timer.restart();
    for (qint64 round = 1; round <= 1000 && (round <= 20 || timer.elapsed() < 8000); ++round) {
        ++rounds;
        QProcess process;
        QVERIFY(start(process, round));
        if (!process.waitForFinished(int(QRandomGenerator::global()->bounded(runTime * 5 / 4 + 1)))) {
            process.kill();
            QVERIFY(process.waitForFinished(10000));
            ++killed;
        }
        const qint64 now = roundInFile();
        QVERIFY2(now == held || now == round,
                 qPrintable(QStringLiteral("round %1: the file holds %2, not round %3 or %1")
                                .arg(round)
                                .arg(now)
                                .arg(held)));
        held = now;
        const QStringList leftovers = leftoversIn(folder);
        if (leftovers.isEmpty())
            continue;
        // Killed while holding the lock or between its temporary and the rename: the next write
        // clears up.
        if (!leftovers.filter(".tmp-").isEmpty())
            ++midWrite;
        QVERIFY(writeWhole(++round));
        QCOMPARE(roundInFile(), round);
        held = round;
        QCOMPARE(leftoversIn(folder), QStringList());
    }
    qInfo("%d rounds, %d writers killed, %d of them between their temporary and the rename; every file whole",
          rounds, killed, midWrite);
}

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
