// The rules the native macOS backend follows, tested here because they are portable: how values
// cross to the system's types and back, the desktop picture's options, screen frames and identity,
// the Mac's paths, the choice of backend, symbol drawing, the update framework's updater, and the
// bundle's icon file.

#include "common/RegularFile.h"
#include "platform/DesktopImageOptions.h"
#include "platform/MacPaths.h"
#include "platform/NativeDisplays.h"
#include "platform/OperatingSystem.h"
#include "platform/PropertyListBridge.h"
#include "platform/SymbolCanvas.h"
#include "platform/UpdateFramework.h"
#include "platform/factory/PlatformFactory.h"
#include "platform/simulated/IcnsFile.h"
#include "plist/PropertyList.h"
#include "support/TestRoot.h"
#include "updates/FrameworkUpdater.h"
#include "updates/UpdaterManager.h"
#include "wallpaper/DesktopPictures.h"
#include "wallpaper/Scaling.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::PropertyListBridge::Kind)
Q_DECLARE_METATYPE(velmora::PlatformKind)

namespace {

using Kind = PropertyListBridge::Kind;
constexpr quint64 kSignedMax = quint64(std::numeric_limits<qint64>::max());

// An update framework that does what the test says and counts the checks it is asked for.
class FakeFramework : public UpdateFramework {
public:
    std::optional<QString> unavailable;
    Status startResult;
    bool busy = false;
    int starts = 0;
    int checks = 0;

    std::optional<QString> unavailableReason() const override { return unavailable; }
    Status start() override
    {
        ++starts;
        return startResult;
    }
    bool canCheckForUpdates() const override { return !busy; }
    void checkForUpdates() override { ++checks; }
};

// The simulated Mac with an update framework, as the native platform has one.
class PlatformWithFramework : public SimulatedPlatform {
public:
    PlatformWithFramework(const QString &root, UpdateFramework &framework)
        : SimulatedPlatform(root, QStringLiteral(VELMORA_LIBEXEC_DIR)), m_framework(framework)
    {
    }
    UpdateFramework *updateFramework() override { return &m_framework; }

private:
    UpdateFramework &m_framework;
};

QString systemLog(const TestRoot &root)
{
    return QString::fromUtf8(readAll(root.root().systemLog()));
}

int runMakeIcns(const QStringList &arguments, QString *errors = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(VELMORA_MAKE_ICNS), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

class TestNativeBackend : public QObject {
    Q_OBJECT

private slots:
    void valuesGoToTheSystemAsTheirKind_data();
    void valuesGoToTheSystemAsTheirKind();
    void integersComeBackSignedUnlessTheyCannot_data();
    void integersComeBackSignedUnlessTheyCannot();
    void datesKeepEveryBitBothWays_data();
    void datesKeepEveryBitBothWays();
    void desktopPictureOptionsAreCheckedBeforeTheSystemSeesThem_data();
    void desktopPictureOptionsAreCheckedBeforeTheSystemSeesThem();
    void desktopPictureOptionsReadBackInTheSeamsForm_data();
    void desktopPictureOptionsReadBackInTheSeamsForm();
    void screenFramesAreFlippedToTheTopLeft_data();
    void screenFramesAreFlippedToTheTopLeft();
    void displaysAreFoundAgainByNumber_data();
    void displaysAreFoundAgainByNumber();
    void systemVersionsReadAsTheSystemWritesThem_data();
    void systemVersionsReadAsTheSystemWritesThem();
    void macPathsComeFromTheUsersFolders_data();
    void macPathsComeFromTheUsersFolders();
    void theNativeBackendIsChosenUnlessASimulatedMacIsAsked_data();
    void theNativeBackendIsChosenUnlessASimulatedMacIsAsked();
    void symbolSizesStaySane_data();
    void symbolSizesStaySane();
    void symbolsFitTheirSquareAndTakeTheColourAsked();
    void frameworkUpdaterDisablesTheItemAndSaysWhy_data();
    void frameworkUpdaterDisablesTheItemAndSaysWhy();
    void theSystemsFrameworkIsPreferredToTheFeed();
    void bundleIconFileIsMadeFromTheSvg();
    void bundleIconToolRefusesBadInputAndKeepsTheOldFile_data();
    void bundleIconToolRefusesBadInputAndKeepsTheOldFile();
};

void TestNativeBackend::valuesGoToTheSystemAsTheirKind_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("error"); // part of the message when refused

    const QDateTime date(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC);
    QTest::newRow("bool is not an integer") << QVariant(true) << true << Kind::boolean << "";
    QTest::newRow("negative integer") << QVariant(qint64(-1)) << true << Kind::signedInteger << "";
    QTest::newRow("int") << QVariant(5) << true << Kind::signedInteger << "";
    QTest::newRow("unsigned 32-bit maximum") << QVariant(4294967295u) << true << Kind::signedInteger << "";
    QTest::newRow("unsigned at the signed maximum")
        << QVariant::fromValue(kSignedMax) << true << Kind::signedInteger << "";
    QTest::newRow("unsigned just past the signed range")
        << QVariant::fromValue(kSignedMax + 1) << true << Kind::unsignedInteger << "";
    QTest::newRow("unsigned 64-bit maximum")
        << QVariant::fromValue(std::numeric_limits<quint64>::max()) << true << Kind::unsignedInteger << "";
    QTest::newRow("double") << QVariant(1.5) << true << Kind::real << "";
    QTest::newRow("float") << QVariant(1.5f) << true << Kind::real << "";
    QTest::newRow("string") << QVariant(QStringLiteral("en_GB")) << true << Kind::string << "";
    QTest::newRow("empty string") << QVariant(QString()) << true << Kind::string << "";
    QTest::newRow("data") << QVariant(QByteArray("\0\1", 2)) << true << Kind::data << "";
    QTest::newRow("date") << QVariant(date) << true << Kind::date << "";
    QTest::newRow("date finer than a millisecond")
        << QVariant::fromValue(PlistDate{1.0e-7}) << true << Kind::date << "";
    QTest::newRow("invalid date") << QVariant(QDateTime()) << false << Kind::date << "invalid date";
    QTest::newRow("array") << QVariant(QVariantList{1, "a"}) << true << Kind::array << "";
    QTest::newRow("string list") << QVariant(QStringList{"a"}) << true << Kind::array << "";
    QTest::newRow("dictionary") << QVariant(QVariantMap{{"a", 1}}) << true << Kind::dictionary << "";
    QTest::newRow("keyed-archiver UID")
        << QVariant::fromValue(PlistUid{3}) << false << Kind::data << "PlistUid";
    QTest::newRow("nothing") << QVariant() << false << Kind::data << "nothing";
    QTest::newRow("URL") << QVariant(QUrl("https://example.com")) << false << Kind::data << "QUrl";
}

void TestNativeBackend::valuesGoToTheSystemAsTheirKind()
{
    QFETCH(QVariant, value);
    QFETCH(bool, accepted);
    QFETCH(Kind, kind);
    QFETCH(QString, error);
    const Result<Kind> result = PropertyListBridge::kindOf(value);
    QCOMPARE(result.ok(), accepted);
    if (accepted)
        QCOMPARE(*result, kind);
    else
        QVERIFY2(result.error().contains(error), qPrintable(result.error()));
}

void TestNativeBackend::integersComeBackSignedUnlessTheyCannot_data()
{
    QTest::addColumn<bool>("exact");
    QTest::addColumn<qint64>("signedValue");
    QTest::addColumn<quint64>("unsignedValue");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("zero") << true << qint64(0) << quint64(0) << QVariant(qint64(0));
    QTest::newRow("negative") << true << qint64(-42) << quint64(0) << QVariant(qint64(-42));
    QTest::newRow("signed minimum") << true << std::numeric_limits<qint64>::min() << quint64(0)
                                    << QVariant(std::numeric_limits<qint64>::min());
    QTest::newRow("just past the signed range")
        << false << qint64(0) << kSignedMax + 1 << QVariant::fromValue(kSignedMax + 1);
    QTest::newRow("unsigned maximum") << false << qint64(0) << std::numeric_limits<quint64>::max()
                                      << QVariant::fromValue(std::numeric_limits<quint64>::max());
    // Read unsigned yet small enough: the codec's form is signed.
    QTest::newRow("unsigned read of a small number")
        << false << qint64(0) << quint64(7) << QVariant(qint64(7));
}

void TestNativeBackend::integersComeBackSignedUnlessTheyCannot()
{
    QFETCH(bool, exact);
    QFETCH(qint64, signedValue);
    QFETCH(quint64, unsignedValue);
    QFETCH(QVariant, expected);
    const QVariant value = PropertyListBridge::fromInteger(
        exact ? std::optional<qint64>(signedValue) : std::nullopt, unsignedValue);
    QCOMPARE(value.typeId(), expected.typeId());
    QCOMPARE(value, expected);
    // What comes back goes out again as the same kind: a round trip never changes the type.
    const Result<Kind> kind = PropertyListBridge::kindOf(value);
    QVERIFY(kind.ok());
    QCOMPARE(*kind, expected.typeId() == QMetaType::ULongLong ? Kind::unsignedInteger : Kind::signedInteger);
}

void TestNativeBackend::datesKeepEveryBitBothWays_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<bool>("wholeMillisecond");

    QTest::newRow("the reference date") << 0.0 << true;
    QTest::newRow("before the reference date") << -86400.25 << true;
    QTest::newRow("a millisecond") << 730000000.125 << true;
    QTest::newRow("finer than a millisecond") << 730000000.1234567 << false;
    QTest::newRow("a tenth of a microsecond") << 1.0e-7 << false;
}

void TestNativeBackend::datesKeepEveryBitBothWays()
{
    QFETCH(double, seconds);
    QFETCH(bool, wholeMillisecond);
    const QVariant date = PropertyListBridge::fromAbsoluteTime(seconds);
    QCOMPARE(date.typeId() == QMetaType::QDateTime, wholeMillisecond);
    if (seconds == 0.0)
        QCOMPARE(date.toDateTime(), QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));
    const Result<Kind> kind = PropertyListBridge::kindOf(date);
    QVERIFY(kind.ok());
    QCOMPARE(*kind, Kind::date);
    QCOMPARE(PropertyListBridge::absoluteTimeOf(date), seconds);
}

void TestNativeBackend::desktopPictureOptionsAreCheckedBeforeTheSystemSeesThem_data()
{
    QTest::addColumn<QVariantMap>("options");
    QTest::addColumn<QString>("error"); // empty when accepted
    QTest::addColumn<quint64>("scaling");
    QTest::addColumn<bool>("allowClipping");

    const QString scaling = DisplayService::scalingKey();
    const QString clipping = DisplayService::allowClippingKey();
    // What the wallpaper code sends, for every scaling it knows.
    for (const Scaling s : allScalings()) {
        QTest::addRow("wallpaper options, %s", qPrintable(rawValue(s)))
            << desktopImageOptions(s, true) << QString() << platformScalingCode(s) << true;
    }
    QTest::newRow("int scaling") << QVariantMap{{scaling, 2}, {clipping, false}} << QString() << quint64(2)
                                 << false;
    QTest::newRow("negative scaling") << QVariantMap{{scaling, -1}} << scaling << quint64(0) << false;
    QTest::newRow("scaling past the codes") << QVariantMap{{scaling, 4}} << scaling << quint64(0) << false;
    QTest::newRow("scaling as text") << QVariantMap{{scaling, "3"}} << scaling << quint64(0) << false;
    QTest::newRow("scaling as a real") << QVariantMap{{scaling, 3.0}} << scaling << quint64(0) << false;
    QTest::newRow("scaling as a boolean") << QVariantMap{{scaling, true}} << scaling << quint64(0) << false;
    QTest::newRow("clipping as a number") << QVariantMap{{clipping, 1}} << clipping << quint64(0) << false;
    QTest::newRow("fill colour is never sent")
        << QVariantMap{{QStringLiteral("NSWorkspaceDesktopImageFillColorKey"), "#000000"}}
        << "NSWorkspaceDesktopImageFillColorKey" << quint64(0) << false;
}

void TestNativeBackend::desktopPictureOptionsAreCheckedBeforeTheSystemSeesThem()
{
    QFETCH(QVariantMap, options);
    QFETCH(QString, error);
    QFETCH(quint64, scaling);
    QFETCH(bool, allowClipping);
    const Result<DesktopImageOptions::Checked> checked = DesktopImageOptions::toSystem(options);
    QCOMPARE(checked.ok(), error.isEmpty());
    if (!checked) {
        QVERIFY2(checked.error().contains(error), qPrintable(checked.error()));
        return;
    }
    QVERIFY(checked->hasScaling);
    QCOMPARE(checked->scaling, scaling);
    QVERIFY(checked->hasAllowClipping);
    QCOMPARE(checked->allowClipping, allowClipping);
}

void TestNativeBackend::desktopPictureOptionsReadBackInTheSeamsForm_data()
{
    QTest::addColumn<QVariant>("scaling");
    QTest::addColumn<QVariant>("allowClipping");
    QTest::addColumn<QVariantMap>("expected");

    const QString s = DisplayService::scalingKey();
    const QString c = DisplayService::allowClippingKey();
    QTest::newRow("both as the system keeps them")
        << QVariant(qint64(2)) << QVariant(true)
        << QVariantMap{{s, QVariant::fromValue(quint64(2))}, {c, true}};
    QTest::newRow("missing keys are the system's defaults")
        << QVariant() << QVariant() << QVariantMap{{s, QVariant::fromValue(quint64(3))}, {c, false}};
    QTest::newRow("clipping as a plain number")
        << QVariant(qint64(0)) << QVariant(qint64(1))
        << QVariantMap{{s, QVariant::fromValue(quint64(0))}, {c, true}};
    QTest::newRow("values of the wrong kind are left out")
        << QVariant(qint64(9)) << QVariant(QStringLiteral("yes")) << QVariantMap{};
}

void TestNativeBackend::desktopPictureOptionsReadBackInTheSeamsForm()
{
    QFETCH(QVariant, scaling);
    QFETCH(QVariant, allowClipping);
    QFETCH(QVariantMap, expected);
    const QVariantMap options = DesktopImageOptions::fromSystem(scaling, allowClipping);
    QCOMPARE(options, expected);
    // The scaling the wallpaper code reads back is one it knows, typed as the simulated Mac types it.
    if (options.contains(DisplayService::scalingKey())) {
        QCOMPARE(options.value(DisplayService::scalingKey()).typeId(), int(QMetaType::ULongLong));
        QVERIFY(scalingFromPlatformCode(options.value(DisplayService::scalingKey()).toULongLong()));
    }
}

void TestNativeBackend::screenFramesAreFlippedToTheTopLeft_data()
{
    QTest::addColumn<QRectF>("system");
    QTest::addColumn<QRect>("expected");

    // The primary screen is 1512 × 982 points; the system counts upwards from its bottom edge.
    QTest::newRow("primary") << QRectF(0, 0, 1512, 982) << QRect(0, 0, 1512, 982);
    QTest::newRow("right, tops aligned") << QRectF(1512, -458, 2560, 1440) << QRect(1512, 0, 2560, 1440);
    QTest::newRow("above") << QRectF(0, 982, 1920, 1080) << QRect(0, -1080, 1920, 1080);
    QTest::newRow("below") << QRectF(-200, -1080, 1920, 1080) << QRect(-200, 982, 1920, 1080);
}

void TestNativeBackend::screenFramesAreFlippedToTheTopLeft()
{
    QFETCH(QRectF, system);
    QFETCH(QRect, expected);
    QCOMPARE(NativeDisplays::topLeftFrame(system, 982), expected);
}

void TestNativeBackend::displaysAreFoundAgainByNumber_data()
{
    QTest::addColumn<QVariant>("screenNumber");
    QTest::addColumn<QVariant>("askedNumber");
    QTest::addColumn<bool>("sameNameAndFrame");
    QTest::addColumn<bool>("same");

    QTest::newRow("same number, renamed and moved") << QVariant(1u) << QVariant(1u) << false << true;
    QTest::newRow("other number, same name and frame") << QVariant(1u) << QVariant(2u) << true << false;
    QTest::newRow("number as another integer type") << QVariant(5u) << QVariant(qint64(5)) << false << true;
    QTest::newRow("no number: name and frame") << QVariant() << QVariant() << true << true;
    QTest::newRow("no number, other name") << QVariant() << QVariant() << false << false;
    QTest::newRow("number on one side only") << QVariant(1u) << QVariant() << true << true;
}

void TestNativeBackend::displaysAreFoundAgainByNumber()
{
    QFETCH(QVariant, screenNumber);
    QFETCH(QVariant, askedNumber);
    QFETCH(bool, sameNameAndFrame);
    QFETCH(bool, same);
    velmora::Display screen{{}, QStringLiteral("Built-in Retina Display"), QRect(0, 0, 1512, 982)};
    velmora::Display asked =
        sameNameAndFrame ? screen
                         : velmora::Display{{}, QStringLiteral("LG UltraFine"), QRect(1512, 0, 2560, 1440)};
    if (screenNumber.isValid())
        screen.deviceDescription.insert(NativeDisplays::numberKey(), screenNumber);
    if (askedNumber.isValid())
        asked.deviceDescription.insert(NativeDisplays::numberKey(), askedNumber);
    QCOMPARE(NativeDisplays::sameDisplay(screen, asked), same);
}

void TestNativeBackend::systemVersionsReadAsTheSystemWritesThem_data()
{
    QTest::addColumn<qint64>("major");
    QTest::addColumn<qint64>("minor");
    QTest::addColumn<qint64>("patch");
    QTest::addColumn<QString>("text");
    QTest::newRow("no patch") << qint64(15) << qint64(1) << qint64(0) << "15.1";
    QTest::newRow("a patch") << qint64(14) << qint64(7) << qint64(2) << "14.7.2";
    QTest::newRow("a new major keeps its minor") << qint64(26) << qint64(0) << qint64(0) << "26.0";
    QTest::newRow("a patch on .0") << qint64(11) << qint64(0) << qint64(1) << "11.0.1";
}

void TestNativeBackend::systemVersionsReadAsTheSystemWritesThem()
{
    QFETCH(qint64, major);
    QFETCH(qint64, minor);
    QFETCH(qint64, patch);
    QFETCH(QString, text);
    QCOMPARE(OperatingSystem::versionText(major, minor, patch), text);
}

void TestNativeBackend::macPathsComeFromTheUsersFolders_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("support");
    QTest::addColumn<QString>("expectedHome");
    QTest::addColumn<QString>("expectedSupport");

    QTest::newRow("as reported") << "/Users/ana"
                                 << "/Users/ana/Library/Application Support"
                                 << "/Users/ana"
                                 << "/Users/ana/Library/Application Support";
    QTest::newRow("trailing separators") << "/Users/ana/"
                                         << "/Users/ana/Library/Application Support/"
                                         << "/Users/ana"
                                         << "/Users/ana/Library/Application Support";
    QTest::newRow("no Application Support reported") << "/Users/ana"
                                                     << ""
                                                     << "/Users/ana"
                                                     << "/Users/ana/Library/Application Support";
}

void TestNativeBackend::macPathsComeFromTheUsersFolders()
{
    QFETCH(QString, home);
    QFETCH(QString, support);
    QFETCH(QString, expectedHome);
    QFETCH(QString, expectedSupport);
    const FileLocations locations = MacPaths::fileLocations(home, support);
    QCOMPARE(locations.home, expectedHome);
    QCOMPARE(locations.applicationSupport, expectedSupport);
    QCOMPARE(locations.applicationFolders,
             QStringList({"/Applications", "/Applications/Utilities", "/System/Applications",
                          "/System/Applications/Utilities", expectedHome + "/Applications"}));
    QCOMPARE(locations.privacyDatabase, QStringLiteral("/Library/Application Support/com.apple.TCC/TCC.db"));
    QCOMPARE(locations.expandTilde("~/Pictures"), expectedHome + "/Pictures");
    QCOMPARE(MacPaths::defaultsTool(), QStringLiteral("/usr/bin/defaults"));
    QCOMPARE(MacPaths::killallTool(), QStringLiteral("/usr/bin/killall"));
    QCOMPARE(MacPaths::updateFramework("/Applications/Velmora.app/Contents/Frameworks/"),
             QStringLiteral("/Applications/Velmora.app/Contents/Frameworks/Sparkle.framework"));
}

void TestNativeBackend::theNativeBackendIsChosenUnlessASimulatedMacIsAsked_data()
{
    QTest::addColumn<bool>("nativeAvailable");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<PlatformKind>("expected");

    QTest::newRow("a Mac, nothing asked") << true << ""
                                          << "" << PlatformKind::native;
    QTest::newRow("a Mac, --simulated-root") << true << "/tmp/mac"
                                             << "" << PlatformKind::simulated;
    QTest::newRow("a Mac, environment") << true << ""
                                        << "/tmp/mac" << PlatformKind::simulated;
    QTest::newRow("elsewhere, nothing asked") << false << ""
                                              << "" << PlatformKind::simulated;
}

void TestNativeBackend::theNativeBackendIsChosenUnlessASimulatedMacIsAsked()
{
    QFETCH(bool, nativeAvailable);
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(PlatformKind, expected);
    const char *variable = SimulatedRoot::environmentVariable();
    const QByteArray saved = qgetenv(variable);
    const bool wasSet = qEnvironmentVariableIsSet(variable);
    const auto restore = qScopeGuard([&] {
        if (wasSet)
            qputenv(variable, saved);
        else
            qunsetenv(variable);
    });
    if (environment.isEmpty())
        qunsetenv(variable);
    else
        qputenv(variable, environment.toUtf8());
    QCOMPARE(choosePlatformKind(PlatformOptions{option}, nativeAvailable), expected);
    // This build has no native backend, so the factory never picks it here.
    QCOMPARE(nativePlatformAvailable(), false);
}

void TestNativeBackend::symbolSizesStaySane_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("side");

    QTest::newRow("menu bar on a Retina screen") << 18.0 << 2.0 << 36;
    QTest::newRow("ratio not positive counts as 1") << 18.0 << 0.0 << 18;
    QTest::newRow("ratio not a number counts as 1") << 18.0 << qreal(std::nan("")) << 18;
    QTest::newRow("size not a number") << qreal(std::nan("")) << 1.0 << 1;
    QTest::newRow("negative size") << -5.0 << 2.0 << 1;
    QTest::newRow("below a pixel") << 0.4 << 1.0 << 1;
    QTest::newRow("absurdly large") << 1.0e9 << 2.0 << SymbolCanvas::maxSide;
}

void TestNativeBackend::symbolSizesStaySane()
{
    QFETCH(qreal, pointSize);
    QFETCH(qreal, ratio);
    QFETCH(int, side);
    QCOMPARE(SymbolCanvas::pixelSide(pointSize, ratio), side);
    QVERIFY(SymbolCanvas::ratio(ratio) > 0);
}

void TestNativeBackend::symbolsFitTheirSquareAndTakeTheColourAsked()
{
    // A wide symbol keeps its proportions, centred; an empty size fills the square.
    QCOMPARE(SymbolCanvas::fitted(QSizeF(20, 10), 36), QRectF(0, 9, 36, 18));
    QCOMPARE(SymbolCanvas::fitted(QSizeF(10, 20), 36), QRectF(9, 0, 18, 36));
    QCOMPARE(SymbolCanvas::fitted(QSizeF(0, 0), 36), QRectF(0, 0, 36, 36));

    // Drawn black as the system draws a template, coloured afterwards: coverage kept, colour replaced.
    QImage drawn(4, 1, QImage::Format_ARGB32_Premultiplied);
    drawn.setPixelColor(0, 0, QColor(0, 0, 0, 255));
    drawn.setPixelColor(1, 0, QColor(0, 0, 0, 128));
    drawn.setPixelColor(2, 0, QColor(0, 0, 0, 0));
    drawn.setPixelColor(3, 0, QColor(200, 10, 10, 255));
    const QColor accent(0x0a, 0x84, 0xff);
    const QImage tinted = SymbolCanvas::tinted(drawn, accent);
    QCOMPARE(tinted.pixelColor(0, 0), accent);
    QVERIFY(qAbs(tinted.pixelColor(1, 0).alpha() - 128) <= 1);
    QCOMPARE(tinted.pixelColor(1, 0).blue(), 255);
    QCOMPARE(tinted.pixelColor(2, 0).alpha(), 0);
    QCOMPARE(tinted.pixelColor(3, 0), accent);
    QVERIFY(SymbolCanvas::tinted(QImage(), accent).isNull());

    // The fallback is visible: an outline, empty in the middle.
    const QImage fallback = SymbolCanvas::fallback(Qt::black, 24);
    QCOMPARE(fallback.size(), QSize(24, 24));
    QCOMPARE(fallback.pixelColor(12, 12).alpha(), 0);
    QVERIFY(fallback.pixelColor(12, 3).alpha() > 0);
}

void TestNativeBackend::frameworkUpdaterDisablesTheItemAndSaysWhy_data()
{
    QTest::addColumn<QString>("unavailable");
    QTest::addColumn<QString>("startError");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<bool>("canCheck");
    QTest::addColumn<QString>("logged");

    QTest::newRow("working framework") << ""
                                       << "" << false << true << "";
    QTest::newRow("framework busy with a check") << ""
                                                 << "" << true << false << "";
    QTest::newRow("framework not in the bundle")
        << "Check for Updates is off: the update framework is not at /X/Sparkle.framework."
        << "" << false << false << "not at /X/Sparkle.framework";
    QTest::newRow("updater does not start")
        << ""
        << "no public key" << false << false << "the updater did not start (no public key)";
}

void TestNativeBackend::frameworkUpdaterDisablesTheItemAndSaysWhy()
{
    QFETCH(QString, unavailable);
    QFETCH(QString, startError);
    QFETCH(bool, busy);
    QFETCH(bool, canCheck);
    QFETCH(QString, logged);
    TestRoot root(TestRoot::Seed::none);
    FakeFramework framework;
    if (!unavailable.isEmpty())
        framework.unavailable = unavailable;
    if (!startError.isEmpty())
        framework.startResult = Status::failure(startError);
    framework.busy = busy;

    FrameworkUpdater updater(framework, root.platform().workspace());
    QVERIFY(!updater.canCheckForUpdates());
    QSignalSpy changed(&updater, &Updater::canCheckForUpdatesChanged);
    updater.start();
    updater.start(); // a second start neither starts again nor logs again
    QCOMPARE(updater.canCheckForUpdates(), canCheck);
    QCOMPARE(framework.starts, unavailable.isEmpty() ? 1 : 0);
    updater.checkForUpdates();
    QCOMPARE(framework.checks, canCheck ? 1 : 0);
    if (logged.isEmpty()) {
        QVERIFY(!systemLog(root).contains("Check for Updates is off"));
        QCOMPARE(changed.count(), 1);
    } else {
        QVERIFY2(systemLog(root).contains(logged), qPrintable(systemLog(root)));
        QVERIFY(changed.isEmpty());
    }
}

void TestNativeBackend::theSystemsFrameworkIsPreferredToTheFeed()
{
    TestRoot root(TestRoot::Seed::none);
    FakeFramework framework;
    PlatformWithFramework platform(root.path(), framework);
    UpdaterManager manager(platform, nullptr);
    QVERIFY(qobject_cast<FrameworkUpdater *>(&manager.updater()));
    QCOMPARE(framework.starts, 1);
    manager.updater().checkForUpdates();
    QCOMPARE(framework.checks, 1);
}

void TestNativeBackend::bundleIconFileIsMadeFromTheSvg()
{
    QTemporaryDir dir;
    const QString icns = dir.filePath("Velmora.icns");
    QString errors;
    QVERIFY2(runMakeIcns({QStringLiteral(VELMORA_ICON_SVG), icns}, &errors) == 0, qPrintable(errors));
    const Result<QByteArray> bytes = RegularFile::read(icns, IcnsFile::maxFileBytes);
    QVERIFY(bytes.ok());
    QVERIFY(bytes->startsWith("icns"));
    // The Finder's largest size is there, and every smaller one the format names.
    for (const char *type : {"icp4", "icp5", "icp6", "ic07", "ic08", "ic09", "ic10"})
        QVERIFY2(bytes->contains(type), type);
    const Result<QImage> image = IcnsFile::decode(*bytes);
    QVERIFY2(image.ok(), qPrintable(image.error()));
    QCOMPARE(image->size(), QSize(1024, 1024));
    QVERIFY(image->pixelColor(512, 512).alpha() > 0);
}

void TestNativeBackend::bundleIconToolRefusesBadInputAndKeepsTheOldFile_data()
{
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<QString>("destination"); // relative to the temporary folder

    QTest::newRow("not an SVG") << QByteArray("\x89PNG not really") << "Velmora.icns";
    QTest::newRow("truncated SVG") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=")
                                   << "Velmora.icns";
    QTest::newRow("destination folder missing") << QByteArray() << "missing/Velmora.icns";
}

void TestNativeBackend::bundleIconToolRefusesBadInputAndKeepsTheOldFile()
{
    QFETCH(QByteArray, svg);
    QFETCH(QString, destination);
    QTemporaryDir dir;
    const QString source = svg.isEmpty() ? QStringLiteral(VELMORA_ICON_SVG) : dir.filePath("icon.svg");
    if (!svg.isEmpty())
        QVERIFY(writeAll(source, svg));
    const QString target = dir.filePath(destination);
    const bool hadFile = !destination.contains('/');
    if (hadFile)
        QVERIFY(writeAll(target, "the old icon"));
    QString errors;
    QCOMPARE(runMakeIcns({source, target}, &errors), 1);
    QVERIFY2(errors.contains("make-icns: "), qPrintable(errors));
    if (hadFile)
        QCOMPARE(readAll(target), QByteArray("the old icon"));
    else
        QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(".tmp").size(), 0);
}

QTEST_MAIN(TestNativeBackend)
#include "tst_native_backend.moc"
