// The simulated Mac: its preference store, its root and seed, the stand-in killall, and how the
// app finds and creates a root.

#include "platform/PlatformFactory.h"
#include "platform/PreferenceStore.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QProcess>
#include <QScopeGuard>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {



const QString kAny = PreferenceStore::anyApplication();

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void storeSearchesTheApplicationThenTheGlobalDomain();
    void storeSeesWritesOfOtherProcessesAtOnce();
    void storeSetsAndRemovesKeys();
    void storeLeavesADamagedDomainAlone();
    void storeRefusesNamesThatLeaveTheFolder_data();
    void storeRefusesNamesThatLeaveTheFolder();
    void seedIsRealisticAndNeverOverwrites();
    void killallLogsAndKnowsTheSystemProcesses_data();
    void killallLogsAndKnowsTheSystemProcesses();
    void factoryCreatesOnlyTheDefaultRoot_data();
    void factoryCreatesOnlyTheDefaultRoot();
    void cliInitLaysOutARoot();
    void fileLocationsExpandTheTilde();
};

void TestPlatform::storeSearchesTheApplicationThenTheGlobalDomain()
{
    TestRoot root(TestRoot::Seed::none);
    root.writeGlobalDomain({{"AppleLocale", "en_GB"}, {"KeyRepeat", qint64(2)}});
    root.writeDomain("com.apple.Terminal", {{"KeyRepeat", qint64(5)}});
    const PreferenceStore &store = root.platform().preferences();
    QCOMPARE(store.copyAppValue("KeyRepeat", "com.apple.Terminal"), QVariant(qint64(5)));
    QCOMPARE(store.copyAppValue("AppleLocale", "com.apple.Terminal"), QVariant("en_GB"));
    QCOMPARE(store.copyAppValue("AppleLocale", "com.example.none"), QVariant("en_GB"));
    QCOMPARE(store.copyAppValue("KeyRepeat", kAny), QVariant(qint64(2)));
    QVERIFY(!store.copyAppValue("Missing", "com.apple.Terminal").isValid());
    QVERIFY(!store.copyAppValue("Missing", kAny).isValid());
}

void TestPlatform::storeSeesWritesOfOtherProcessesAtOnce()
{
    TestRoot root;
    const PreferenceStore &store = root.platform().preferences();
    QCOMPARE(store.copyAppValue("tilesize", "com.apple.dock"), QVariant(qint64(48)));
    for (int size : {64, 32, 65}) {
        const ProgramRun r = runProgram(root.platform().defaultsToolPath(),
                                 {"write", "com.apple.dock", "tilesize", "-int", QString::number(size)}, root.path());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(store.copyAppValue("tilesize", "com.apple.dock"), QVariant(qint64(size)));
    }
}

void TestPlatform::storeSetsAndRemovesKeys()
{
    TestRoot root;
    PreferenceStore &store = root.platform().preferences();
    const QVariantList apps{QVariantMap{{"tile-type", "spacer-tile"}, {"tile-data", QVariantMap()}}};
    QVERIFY(store.setAppValue("persistent-apps", apps, "com.apple.dock").ok());
    QVERIFY(store.synchronize("com.apple.dock"));
    QCOMPARE(root.domain("com.apple.dock").value("persistent-apps"), QVariant(apps));
    QCOMPARE(root.domain("com.apple.dock").value("orientation"), QVariant("bottom"));
    QVERIFY(store.setAppValue("orientation", QVariant(), "com.apple.dock").ok());
    QVERIFY(!root.domain("com.apple.dock").contains("orientation"));
    QVERIFY(store.setAppValue("orientation", QVariant(), "com.apple.dock").ok()); // already gone
    QVERIFY(store.setAppValue("hasDismissedFDABanner", true, "dev.corrandelwick.Velmora").ok());
    QCOMPARE(store.copyAppValue("hasDismissedFDABanner", "dev.corrandelwick.Velmora"), QVariant(true));
    QVERIFY(store.setAppValue("AppleInterfaceStyle", "Light", kAny).ok());
    QCOMPARE(root.globalDomain().value("AppleInterfaceStyle"), QVariant("Light"));
    // The files are binary property lists, as the real system writes them.
    QVERIFY(readAll(*root.root().domainFile("com.apple.dock")).startsWith("bplist00"));
}

void TestPlatform::storeLeavesADamagedDomainAlone()
{
    TestRoot root;
    const QString path = *root.root().domainFile("com.apple.finder");
    const QByteArray damaged = readAll(path).left(20);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(damaged);
    f.close();
    PreferenceStore &store = root.platform().preferences();
    QVERIFY(!store.copyAppValue("ShowPathbar", "com.apple.finder").isValid());
    // Single reads never fail; a caller that gathers many values asks whether the domain was readable.
    QVERIFY(store.readProblem("com.apple.finder").value_or(QString()).contains(path));
    QVERIFY(!store.readProblem("com.apple.dock"));
    QVERIFY(!store.readProblem("com.example.never-written"));
    QVERIFY(!store.readProblem(kAny));
    const Status status = store.setAppValue("ShowPathbar", false, "com.apple.finder");
    QVERIFY(!status.ok());
    QVERIFY(status.error().contains(path));
    QCOMPARE(readAll(path), damaged);
    // The stand-in tool refuses the same domain with a clear message and leaves it as it is.
    const ProgramRun r = runProgram(root.platform().defaultsToolPath(),
                             {"write", "com.apple.finder", "ShowPathbar", "-bool", "false"}, root.path());
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!r.err.isEmpty());
    QCOMPARE(readAll(path), damaged);
}

void TestPlatform::storeRefusesNamesThatLeaveTheFolder_data()
{
    QTest::addColumn<QString>("domain");
    QTest::newRow("parent") << "..";
    QTest::newRow("self") << ".";
    QTest::newRow("slash") << "../../outside";
    QTest::newRow("absolute") << "/tmp/velmora-outside";
    QTest::newRow("empty") << "";
    QTest::newRow("newline") << "com.apple\n";
}

void TestPlatform::storeRefusesNamesThatLeaveTheFolder()
{
    QFETCH(QString, domain);
    TestRoot root;
    PreferenceStore &store = root.platform().preferences();
    QVERIFY(!store.setAppValue("k", 1, domain).ok());
    QVERIFY(!store.copyAppValue("k", domain).isValid());
    QVERIFY(!QFile::exists(root.path() + "/outside.plist"));
    QVERIFY(!QFile::exists("/tmp/velmora-outside.plist"));
}

void TestPlatform::seedIsRealisticAndNeverOverwrites()
{
    TestRoot root;
    QVERIFY(root.root().isInitialized());
    const QVariantMap dock = root.domain("com.apple.dock");
    QCOMPARE(dock.value("tilesize"), QVariant(qint64(48)));
    QCOMPARE(dock.value("orientation"), QVariant("bottom"));
    QVERIFY(!dock.value("persistent-apps").toList().isEmpty());
    QCOMPARE(root.domain("com.apple.finder").value("ShowPathbar"), QVariant(true));
    QVERIFY(root.globalDomain().contains("AppleInterfaceStyle"));
    QVERIFY(!QFile::exists(root.root().privacyDatabase())); // no Full Disk Access on a new Mac
    QVERIFY(QFileInfo(root.root().privacyDatabase()).dir().exists());
    QVERIFY(QFile::exists(root.path() + "/Applications/Safari.app/Contents/Info.plist"));
    QVERIFY(QFileInfo(root.root().home() + "/Desktop").isDir());

    // Seeding again keeps what the user changed.
    root.writeDomain("com.apple.dock", {{"tilesize", qint64(30)}});
    QVERIFY(root.root().initialize().ok());
    QCOMPARE(root.domain("com.apple.dock"), (QVariantMap{{"tilesize", qint64(30)}}));
}

void TestPlatform::killallLogsAndKnowsTheSystemProcesses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("Dock") << QStringList{"Dock"} << 0;
    QTest::newRow("cfprefsd") << QStringList{"cfprefsd"} << 0;
    QTest::newRow("with a signal") << QStringList{"-HUP", "SystemUIServer"} << 0;
    QTest::newRow("not running") << QStringList{"Safari"} << 1;
    QTest::newRow("wrong case") << QStringList{"dock"} << 1;
}

void TestPlatform::killallLogsAndKnowsTheSystemProcesses()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    TestRoot root;
    const ProgramRun r = runProgram(root.platform().killallToolPath(), args, root.path());
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode != 0)
        QCOMPARE(r.err, QStringLiteral("No matching processes belonging to you were found\n"));
    const QStringList log = root.restartLog();
    QCOMPARE(log.size(), 1);
    QVERIFY(log.first().endsWith('\t' + args.last()));
}

void TestPlatform::factoryCreatesOnlyTheDefaultRoot_data()
{
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<QString>("content"); // "none" (no folder), "empty", "busy" (other files), "file"
    QTest::addColumn<QString>("refusal"); // empty: laid out and seeded; %1 the path, %2 as a shell word
    const QString noMac = "%1 holds no simulated Mac; create one with: velmoractl --simulated-root %2 init";
    const QString isAFile = QStringLiteral("%1 is a file, not a simulated Mac.");
    QTest::newRow("default, not there yet") << true << "none" << QString();
    QTest::newRow("default, empty") << true << "empty" << QString();
    QTest::newRow("default, other files") << true << "busy"
                                          << QStringLiteral("%1 holds other files and no simulated Mac; "
                                                            "create one there with: velmoractl "
                                                            "--simulated-root %2 init");
    QTest::newRow("default, a file") << true << "file" << isAFile;
    QTest::newRow("named, not there") << false << "none" << noMac;
    QTest::newRow("named, empty") << false << "empty" << noMac;
    QTest::newRow("named, other files") << false << "busy" << noMac;
    QTest::newRow("named, a file") << false << "file" << isAFile;
}

void TestPlatform::factoryCreatesOnlyTheDefaultRoot()
{
    QFETCH(bool, isDefault);
    QFETCH(QString, content);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    // The per-user default lives under the data folder; point that into the temporary folder, and
    // forget the root earlier tests named in the environment.
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QByteArray named = qgetenv("VELMORA_SIMULATED_ROOT");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    qunsetenv("VELMORA_SIMULATED_ROOT");
    const auto restore = qScopeGuard([&] {
        for (const auto &[name, value] :
             {std::pair("XDG_DATA_HOME", dataHome), std::pair("VELMORA_SIMULATED_ROOT", named)}) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    });
    const QString path = isDefault ? SimulatedRoot::defaultPath() : dir.filePath("named/Mac");
    QVERIFY(path.startsWith(dir.path()));
    if (content == "empty" || content == "busy")
        QVERIFY(QDir().mkpath(path));
    if (content == "busy")
        QVERIFY(QFile(path + "/notes.txt").open(QIODevice::WriteOnly));
    if (content == "file") {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    }
    const QDir::Filters everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
    const QStringList before = QDir(path).entryList(everything);

    auto made = createPlatform({isDefault ? QString() : path});
    if (refusal.isEmpty()) {
        QVERIFY2(made.ok(), qPrintable(made.error()));
        QVERIFY(SimulatedRoot(path).isInitialized());
        QVERIFY((*made)->description().contains(path));
        QCOMPARE(qEnvironmentVariable("VELMORA_SIMULATED_ROOT"), path);
        return;
    }
    QVERIFY(!made.ok());
    // The default root's name has a space: the suggested command quotes it.
    QCOMPARE(made.error(), refusal.replace("%2", isDefault ? "'" + path + "'" : path).replace("%1", path));
    // Nothing was made or changed.
    QCOMPARE(QFileInfo::exists(path), content != "none");
    if (content == "empty" || content == "busy")
        QCOMPARE(QDir(path).entryList(everything), before);
}

void TestPlatform::cliInitLaysOutARoot()
{
    QTemporaryDir dir;
    const QString ctl = QStringLiteral(VELMORA_BIN_DIR "/velmoractl");
    const ProgramRun r = runProgram(ctl, {"--simulated-root", dir.path(), "init"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(dir.path()));
    QVERIFY(SimulatedRoot(dir.path()).isInitialized());
    // The environment variable picks the root when the flag is absent.
    QTemporaryDir other;
    QCOMPARE(runProgram(ctl, {"init"}, other.path()).exitCode, 0);
    QVERIFY(SimulatedRoot(other.path()).isInitialized());
    QCOMPARE(runProgram(ctl, {"--simulated-root"}).exitCode, 2);
}

void TestPlatform::fileLocationsExpandTheTilde()
{
    TestRoot root;
    const FileLocations files = root.platform().fileLocations();
    QCOMPARE(files.expandTilde("~/Desktop"), root.root().home() + "/Desktop");
    QCOMPARE(files.expandTilde("~"), root.root().home());
    QCOMPARE(files.expandTilde("~other/x"), QStringLiteral("~other/x"));
    QCOMPARE(files.expandTilde("/tmp/~/x"), QStringLiteral("/tmp/~/x"));
    QCOMPARE(files.applicationFolders.size(), 5);
    QCOMPARE(files.applicationFolders.first(), root.path() + "/Applications");
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
