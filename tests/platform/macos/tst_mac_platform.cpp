// The native backend on a real Mac: the system's preferences, screens and folders. Built and run on
// macOS only; the rules behind it are tested everywhere in tst_native_backend.

#include "platform/DisplayService.h"
#include "platform/FullDiskAccess.h"
#include "platform/PreferenceStore.h"
#include "platform/SymbolImages.h"
#include "platform/UpdateFramework.h"
#include "platform/Workspace.h"
#include "platform/macos/MacPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QtTest>

#include <limits>

using namespace velmora;

namespace {

// A domain of our own that nothing else reads; every test removes what it wrote.
const QString kScratchDomain = QStringLiteral("dev.corrandelwick.Velmora.smoke-test");

} // namespace

class TestMacPlatform : public QObject {
    Q_OBJECT

private slots:
    void valuesRoundTripThroughTheSystem_data();
    void valuesRoundTripThroughTheSystem();
    void valuesNoPropertyListHoldsAreRefused();
    void screensAreListed();
    void foldersAreTheUsers();
    void symbolsAndIconsAreDrawn();
    void updatesAreOffWithoutTheFramework();
};

void TestMacPlatform::valuesRoundTripThroughTheSystem_data()
{
    QTest::addColumn<QVariant>("value");

    QTest::newRow("true") << QVariant(true);
    QTest::newRow("false") << QVariant(false);
    QTest::newRow("negative integer") << QVariant(qint64(-7));
    QTest::newRow("signed maximum") << QVariant(std::numeric_limits<qint64>::max());
    QTest::newRow("past the signed range")
        << QVariant::fromValue(quint64(std::numeric_limits<qint64>::max()) + 1);
    QTest::newRow("real") << QVariant(0.1);
    QTest::newRow("string") << QVariant(QStringLiteral("Grüße ✈"));
    QTest::newRow("date") << QVariant(QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0, 125), Qt::UTC));
    QTest::newRow("data") << QVariant(QByteArray("\0\1\2", 3));
    QTest::newRow("array") << QVariant(QVariantList{qint64(1), QStringLiteral("two"), true});
    QTest::newRow("dictionary") << QVariant(
        QVariantMap{{"tile-data", QVariantMap{{"file-label", "Mail"}}}, {"tile-type", "file-tile"}});
}

void TestMacPlatform::valuesRoundTripThroughTheSystem()
{
    QFETCH(QVariant, value);
    MacPlatform platform;
    PreferenceStore &store = platform.preferences();
    const QString key = QStringLiteral("value");
    const auto cleanUp = qScopeGuard([&] { store.setAppValue(key, QVariant(), kScratchDomain); });
    const Status set = store.setAppValue(key, value, kScratchDomain);
    QVERIFY2(set.ok(), qPrintable(set.error()));
    QVERIFY(store.synchronize(kScratchDomain));
    const QVariant read = store.copyAppValue(key, kScratchDomain);
    QCOMPARE(read.typeId(), value.typeId());
    QCOMPARE(read, value);
    // Removing reads back as nothing.
    QVERIFY(store.setAppValue(key, QVariant(), kScratchDomain).ok());
    QVERIFY(!store.copyAppValue(key, kScratchDomain).isValid());
}

void TestMacPlatform::valuesNoPropertyListHoldsAreRefused()
{
    MacPlatform platform;
    const Status set =
        platform.preferences().setAppValue(QStringLiteral("bad"), QVariantList{QVariant()}, kScratchDomain);
    QVERIFY(!set.ok());
    QVERIFY2(set.error().contains(QStringLiteral("bad")), qPrintable(set.error()));
    QVERIFY(!platform.preferences().copyAppValue(QStringLiteral("bad"), kScratchDomain).isValid());
}

void TestMacPlatform::screensAreListed()
{
    MacPlatform platform;
    const QList<Display> displays = platform.displays().displays();
    qInfo("%lld screen(s)", static_cast<long long>(displays.size()));
    for (const Display &display : displays) {
        qInfo("  %s %dx%d at %d,%d, number %s", qUtf8Printable(display.name), display.frame.width(),
              display.frame.height(), display.frame.x(), display.frame.y(),
              qUtf8Printable(display.deviceDescription.value(QStringLiteral("NSScreenNumber")).toString()));
        QVERIFY(!display.frame.isEmpty());
    }
    if (displays.isEmpty())
        QSKIP("This machine has no screen (a build machine without a session)");
    // The primary screen is the top-left origin of every frame.
    QCOMPARE(displays.first().frame.topLeft(), QPoint(0, 0));
    QVERIFY(platform.displays().mainDisplay().has_value());
    // A display the caller holds on to is found again, and its picture, when it has one, is a file.
    const std::optional<QString> picture = platform.displays().desktopImagePath(displays.first());
    qInfo("desktop picture: %s", picture ? qUtf8Printable(*picture) : "none");
    if (picture)
        QVERIFY(QFileInfo::exists(*picture));
    const QVariantMap options = platform.displays().desktopImageOptions(displays.first());
    QVERIFY(options.isEmpty() || options.contains(DisplayService::scalingKey()));
}

void TestMacPlatform::foldersAreTheUsers()
{
    MacPlatform platform;
    const FileLocations locations = platform.fileLocations();
    QCOMPARE(locations.home, QDir::homePath());
    QVERIFY2(locations.applicationSupport.endsWith(QStringLiteral("/Library/Application Support")),
             qPrintable(locations.applicationSupport));
    QVERIFY(QFileInfo(locations.applicationSupport).isDir());
    QVERIFY(QFileInfo(platform.defaultsToolPath()).isExecutable());
    QVERIFY(QFileInfo(platform.killallToolPath()).isExecutable());
    // Never fails, whatever the answer.
    qInfo("Full Disk Access: %s", FullDiskAccess::isGranted(locations) ? "granted" : "not granted");
}

void TestMacPlatform::symbolsAndIconsAreDrawn()
{
    MacPlatform platform;
    QVERIFY(platform.symbols().hasSymbol(QStringLiteral("paperplane.fill")));
    QVERIFY(!platform.symbols().hasSymbol(QStringLiteral("no.such.symbol.anywhere")));
    const QPixmap symbol = platform.symbols().symbol(QStringLiteral("paperplane.fill"), Qt::black, 18, 2.0);
    QCOMPARE(symbol.size(), QSize(36, 36));
    QVERIFY(!platform.symbols().symbol(QStringLiteral("no.such.symbol.anywhere"), Qt::black, 18).isNull());
    const QImage icon = platform.workspace().iconForFile(QStringLiteral("/System/Applications/Mail.app"), 64);
    QCOMPARE(icon.size(), QSize(64, 64));
    QVERIFY(icon.pixelColor(32, 32).alpha() > 0);
}

void TestMacPlatform::updatesAreOffWithoutTheFramework()
{
    // A test executable carries no update framework: the updater says why instead of crashing.
    MacPlatform platform;
    UpdateFramework *framework = platform.updateFramework();
    QVERIFY(framework);
    QVERIFY(framework->unavailableReason().has_value());
    QVERIFY(!framework->start().ok());
    QVERIFY(!framework->canCheckForUpdates());
}

QTEST_MAIN(TestMacPlatform)
#include "tst_mac_platform.moc"
