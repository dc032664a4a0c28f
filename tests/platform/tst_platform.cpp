// The simulated Mac: its preference store, its root and seed, the stand-in killall, and how the
// app finds and creates a root.

#include "platform/DisplayService.h"
#include "platform/PreferenceStore.h"
#include "platform/Workspace.h"
#include "platform/factory/PlatformFactory.h"
#include "platform/simulated/FileLock.h"
#include "platform/simulated/IcnsFile.h"
#include "plist/PropertyList.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QScopeGuard>
#include <QtConcurrent>
#include <QtEndian>
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
    void storeAndToolWritingAtOnceKeepBothKeys();
    void desktopPicturesSetAtOnceAreAllKept();
    void lockWaitIsBounded();
    void storeRefusesNamesThatLeaveTheFolder_data();
    void storeRefusesNamesThatLeaveTheFolder();
    void seedIsRealisticAndNeverOverwrites();
    void killallLogsAndKnowsTheSystemProcesses_data();
    void killallLogsAndKnowsTheSystemProcesses();
    void factoryCreatesOnlyTheDefaultRoot_data();
    void factoryCreatesOnlyTheDefaultRoot();
    void cliInitFindsTheRootInTheEnvironment();
    void fileLocationsExpandTheTilde();
    void bundlesShowTheirOwnIconOrTheGenericOne_data();
    void bundlesShowTheirOwnIconOrTheGenericOne();
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
        const ProgramRun r =
            runProgram(root.platform().defaultsToolPath(),
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
    QVERIFY(writeAll(path, damaged));
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
    const ProgramRun r =
        runProgram(root.platform().defaultsToolPath(),
                   {"write", "com.apple.finder", "ShowPathbar", "-bool", "false"}, root.path());
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!r.err.isEmpty());
    QCOMPARE(readAll(path), damaged);
}

void TestPlatform::storeAndToolWritingAtOnceKeepBothKeys()
{
    // The Dock editor writes through the store while a `defaults write` of another key runs. The
    // store keeps writing for as long as the tool runs, so some of its writes land inside the tool's.
    TestRoot root;
    PreferenceStore &store = root.platform().preferences();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(SimulatedRoot::environmentVariable()), root.path());
    QStringList lost;
    for (int round = 1; round <= 20; ++round) {
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(root.platform().defaultsToolPath(),
                   {"write", "com.apple.dock", "tilesize", "-int", QString::number(round)});
        qint64 last = 0;
        do {
            QVERIFY(store.setAppValue("largesize", ++last, "com.apple.dock").ok());
        } while (!tool.waitForFinished(0) && tool.state() != QProcess::NotRunning);
        QVERIFY(tool.waitForFinished(20000) || tool.state() == QProcess::NotRunning);
        QCOMPARE(tool.exitCode(), 0);
        const QVariantMap dock = root.domain("com.apple.dock");
        if (dock.value("tilesize") != QVariant(qint64(round)) || dock.value("largesize") != QVariant(last))
            lost << QStringLiteral("round %1: tilesize %2 (wanted %1), largesize %3 (wanted %4)")
                        .arg(round)
                        .arg(dock.value("tilesize").toLongLong())
                        .arg(dock.value("largesize").toLongLong())
                        .arg(last);
    }
    QVERIFY2(lost.isEmpty(), qPrintable(lost.join('\n')));
}

void TestPlatform::desktopPicturesSetAtOnceAreAllKept()
{
    // Each display's picture set from its own thread at the same moment, as two windows could.
    TestRoot root;
    DisplayService &service = root.platform().displays();
    const QList<velmora::Display> displays = service.displays();
    QCOMPARE(displays.size(), 2);
    const QFileInfoList pictures = QDir(root.path() + "/Library/Desktop Pictures").entryInfoList(QDir::Files);
    QVERIFY(!pictures.isEmpty());
    const QString picture = pictures.first().filePath();
    QStringList lost;
    for (int round = 1; round <= 20; ++round) {
        const QVariantMap options{{DisplayService::scalingKey(), QVariant::fromValue(quint64(round))},
                                  {DisplayService::allowClippingKey(), false}};
        QFuture<Status> first =
            QtConcurrent::run([&] { return service.setDesktopImage(picture, displays[0], options); });
        QFuture<Status> second =
            QtConcurrent::run([&] { return service.setDesktopImage(picture, displays[1], options); });
        QVERIFY2(first.result(), qPrintable(first.result().error()));
        QVERIFY2(second.result(), qPrintable(second.result().error()));
        for (const velmora::Display &display : displays) {
            if (service.desktopImageOptions(display).value(DisplayService::scalingKey()) !=
                QVariant::fromValue(quint64(round)))
                lost << QStringLiteral("round %1: %2").arg(round).arg(display.name);
        }
    }
    QVERIFY2(lost.isEmpty(), qPrintable(lost.join('\n')));
}

void TestPlatform::lockWaitIsBounded()
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/com.example.test.plist";
    Result<FileLock> held = FileLock::acquire(file);
    QVERIFY2(held, qPrintable(held.error()));

    // A stuck holder: the next writer gives up after its bound and says why.
    QElapsedTimer timer;
    timer.start();
    const Result<FileLock> refused = FileLock::acquire(file, std::chrono::milliseconds(200));
    QVERIFY(!refused);
    QVERIFY2(timer.elapsed() >= 150 && timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY2(refused.error().contains("another writer has held it for more than 0.2 s"),
             qPrintable(refused.error()));

    // A writer that waits gets the lock once the holder lets go, and the sidecar goes with the last one.
    QFuture<bool> waiter =
        QtConcurrent::run([file] { return FileLock::acquire(file, std::chrono::seconds(20)).ok(); });
    QThread::msleep(100);
    QVERIFY(!waiter.isFinished());
    held = Result<FileLock>();
    QVERIFY(waiter.result());
    QVERIFY(!QFile::exists(FileLock::lockFilePath(file)));
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
    // Bundles carry icon files as real ones do, which Qt's own icns reader accepts too where installed.
    for (const char *app : {"Safari", "Keynote"}) {
        const QString icon = root.path() + "/Applications/" + app + ".app/Contents/Resources/AppIcon.icns";
        const Result<QImage> image = IcnsFile::decode(readAll(icon));
        QVERIFY2(image.ok(), qPrintable(image.error()));
        QCOMPARE(image->size(), QSize(256, 256));
        if (QImageReader::supportedImageFormats().contains("icns"))
            QVERIFY(!QImage(icon, "icns").isNull());
    }

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
    // A folder that is not there or empty is tried through velmoractl, in tst_cli.
    QTest::addColumn<QString>("content"); // "empty", "busy" (other files), "file"
    QTest::addColumn<QString>("refusal"); // empty: laid out and seeded; %1 the path, %2 as a shell word
    const QString isAFile = QStringLiteral("%1 is a file, not a simulated Mac.");
    QTest::newRow("default, empty") << true << "empty" << QString();
    QTest::newRow("default, other files") << true << "busy"
                                          << QStringLiteral("%1 holds other files and no simulated Mac; "
                                                            "create one there with: velmoractl "
                                                            "--simulated-root %2 init");
    QTest::newRow("default, a file") << true << "file" << isAFile;
    QTest::newRow("named, other files")
        << false << "busy"
        << "%1 holds no simulated Mac; create one with: velmoractl --simulated-root %2 init";
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
    QVERIFY(QDir().mkpath(content == "file" ? QFileInfo(path).absolutePath() : path));
    if (content != "empty")
        QVERIFY(QFile(content == "file" ? path : path + "/notes.txt").open(QIODevice::WriteOnly));
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
    QCOMPARE(QFileInfo(path).isFile(), content == "file");
    QCOMPARE(QDir(path).entryList(everything), before);
}

void TestPlatform::cliInitFindsTheRootInTheEnvironment()
{
    // Without the flag, the environment variable picks the root; init says where it laid it out.
    QTemporaryDir dir;
    const ProgramRun r = runProgram(QStringLiteral(VELMORA_BIN_DIR "/velmoractl"), {"init"}, dir.path());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(dir.path()));
    QVERIFY(SimulatedRoot(dir.path()).isInitialized());
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

// ---- Application icons -------------------------------------------------------------------------------

namespace {

QImage filled(QColor colour, int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray withWord(QByteArray bytes, int at, quint32 value)
{
    qToBigEndian(value, bytes.data() + at);
    return bytes;
}

// What the icon shows where the app's colour would be: its own (red here) or the generic grey.
QString seen(const QImage &icon)
{
    const QColor c = icon.pixelColor(icon.width() * 6 / 32, icon.height() / 2);
    if (c.alpha() < 128)
        return QStringLiteral("nothing");
    if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
        return QStringLiteral("red");
    if (c.green() > 150 && c.red() < 90)
        return QStringLiteral("green");
    return c.hsvSaturation() < 50 ? QStringLiteral("generic") : c.name();
}

} // namespace

void TestPlatform::bundlesShowTheirOwnIconOrTheGenericOne_data()
{
    QTest::addColumn<QVariant>("iconFile"); // CFBundleIconFile; none when invalid
    QTest::addColumn<QString>("fileName");  // in Contents/Resources; none when empty
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    const QByteArray red = IcnsFile::encode({filled(Qt::red, 128)});
    const QString icns = QStringLiteral("AppIcon.icns");
    QTest::newRow("named without the extension") << QVariant("AppIcon") << icns << red << "red";
    QTest::newRow("named with the extension") << QVariant("AppIcon.icns") << icns << red << "red";
    QTest::newRow("the largest of several sizes")
        << QVariant("AppIcon") << icns
        << IcnsFile::encode({filled(Qt::green, 32), filled(Qt::red, 256), filled(Qt::green, 64)}) << "red";
    QTest::newRow("a PNG file") << QVariant("Icon.png") << "Icon.png" << png(filled(Qt::red, 64)) << "red";
    QTest::newRow("no icon named") << QVariant() << icns << red << "generic";
    QTest::newRow("named but missing") << QVariant("Other") << icns << red << "generic";
    QTest::newRow("named outside the bundle") << QVariant("../../Info.plist") << icns << red << "generic";
    QTest::newRow("empty file") << QVariant("AppIcon") << icns << QByteArray() << "generic";
    QTest::newRow("not an icon file") << QVariant("AppIcon") << icns << QByteArray(64, 'x') << "generic";
    QTest::newRow("no entries") << QVariant("AppIcon") << icns << QByteArray("icns\0\0\0\x08", 8)
                                << "generic";
    QTest::newRow("truncated") << QVariant("AppIcon") << icns << red.left(red.size() / 2) << "generic";
    QTest::newRow("header longer than the file")
        << QVariant("AppIcon") << icns << withWord(red, 4, quint32(red.size() + 1)) << "generic";
    QTest::newRow("header declares 4 GB")
        << QVariant("AppIcon") << icns << withWord(red, 4, 0xFFFFFFFFu) << "generic";
    QTest::newRow("entry runs past the end")
        << QVariant("AppIcon") << icns << withWord(red, 12, quint32(red.size())) << "generic";
    // A zero length would keep a naive reader on the same entry for ever.
    QTest::newRow("entry shorter than its header")
        << QVariant("AppIcon") << icns << withWord(red, 12, 0) << "generic";
    // The PNG's header (at 8 + 8 + 16 into the file) claiming a picture a hundred thousand pixels wide.
    QTest::newRow("huge declared image")
        << QVariant("AppIcon") << icns << withWord(withWord(red, 32, 100000), 36, 100000) << "generic";
    QByteArray damaged = red;
    damaged.replace(60, 40, QByteArray(40, '\xff'));
    QTest::newRow("damaged image data") << QVariant("AppIcon") << icns << damaged << "generic";
}

void TestPlatform::bundlesShowTheirOwnIconOrTheGenericOne()
{
    QFETCH(QVariant, iconFile);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    TestRoot root(TestRoot::Seed::none);
    const QString bundle = root.path() + "/Applications/Sample.app";
    QVariantMap info{{"CFBundleIdentifier", "com.example.sample"}, {"CFBundleName", "Sample"}};
    if (iconFile.isValid())
        info.insert("CFBundleIconFile", iconFile);
    QVERIFY(QDir().mkpath(bundle + "/Contents/Resources"));
    QVERIFY(PropertyList::writeFile(bundle + "/Contents/Info.plist", info, PropertyList::Format::xml));
    QVERIFY(writeAll(bundle + "/Contents/Resources/" + fileName, bytes));

    QElapsedTimer timer;
    timer.start();
    const QImage icon = root.platform().workspace().iconForFile(bundle + "/", 64);
    QCOMPARE(icon.size(), QSize(64, 64));
    QCOMPARE(seen(icon), shown);
    QVERIFY2(timer.elapsed() < 2000, "an icon file must not take long to refuse");
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
