// Desktop pictures per display on a simulated Mac: the configuration's JSON, identifying displays,
// setting pictures, restoring pictures carried in profiles, the wallpaper tweak, the editor's model,
// and velmoractl's wallpaper verbs.

#include "WallpaperTestSupport.h"
#include "catalogue/TweakRegistry.h"
#include "engine/TweakEngine.h"
#include "platform/simulated/SimulatedDisplayService.h"
#include "support/ProgramRun.h"
#include "support/Ticker.h"
#include "wallpaper/DesktopPictures.h"
#include "wallpaper/WallpaperTweakHandler.h"
#include "wallpaper/WallpaperViewModel.h"

#include <QImageReader>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::TweakValue)
Q_DECLARE_METATYPE(velmora::WallpaperConfig)

namespace {

/// One data row: its name, then a value for each column, of the column's type.
template <typename... Values> void dataRow(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QString wallpapers(TestRoot &root)
{
    return wallpapersDirectory(root.platform().fileLocations());
}

WallpaperConfig config(std::optional<QString> path, Scaling scaling = Scaling::fill, bool clipping = true,
                       std::optional<QString> embedded = std::nullopt)
{
    WallpaperConfig c;
    c.imagePath = std::move(path);
    c.scaling = scaling;
    c.allowClipping = clipping;
    c.embeddedImageData = std::move(embedded);
    return c;
}

QJsonObject parseObject(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

/// What the root records for every display: key → path, scaling code, clipping.
QJsonObject recordedPictures(const TestRoot &root)
{
    return QJsonDocument::fromJson(readAll(root.path() + "/.simulated/desktop-pictures.json")).object();
}

/// Sets a picture on one of the root's displays.
bool setOn(TestRoot &root, int display, const QString &picture, Scaling scaling = Scaling::fill,
           bool clipping = true)
{
    return velmora::applyWallpaper(root.platform(), picture, scaling, clipping,
                                   QList<velmora::Display>{root.platform().displays().displays().at(display)})
        .ok();
}

/// Checks "key=path|code|clip" texts ("%1" the root) against what the root records, and that every
/// other display's record is as it was.
void compareRecorded(const TestRoot &root, QJsonObject before, const QStringList &expected)
{
    QJsonObject now = recordedPictures(root);
    for (const QString &e : expected) {
        const QString key = e.section('=', 0, 0);
        const QStringList parts = e.section('=', 1).split('|');
        const QJsonObject picture = now.take(key).toObject();
        before.remove(key);
        QCOMPARE(picture.value("path").toString(), QString(parts[0]).replace("%1", root.path()));
        QCOMPARE(picture.value("scaling").toInt(), parts[1].toInt());
        QCOMPARE(picture.value("allowClipping").toBool(), parts[2] == "true");
    }
    QCOMPARE(now, before);
}

const Tweak &wallpaperTweak()
{
    static const Tweak tweak = *TweakRegistry::shared().tweak("wallpaper.config");
    return tweak;
}

} // namespace

class TestWallpaper : public QObject {
    Q_OBJECT

private slots:
    void decodingConfigs_data();
    void decodingConfigs();
    void encodingConfigs_data();
    void encodingConfigs();
    void displayIdentity_data();
    void displayIdentity();
    void simulatedDisplaysFromTheRoot();

    void materialize_data();
    void materialize();
    void materializeReportsAFolderThatCannotBeMade();

    void applyWallpaper_data();
    void applyWallpaper();
    void applyWallpaperStopsAtTheFirstRefusal();
    void applyPerDisplay_data();
    void applyPerDisplay();

    void handlerCapturesTheMainDisplaysPicture();
    void handlerCapturesWithoutAPicture();
    void handlerCapturesLargePicturesWhole_data();
    void handlerCapturesLargePicturesWhole();
    void handlerReadsThePictureOffTheWindowsThread();
    void handlerRestoresOnAnotherMachine();
    void handlerApply_data();
    void handlerApply();
    void handlerResetChangesNothing();
    void handlerEquivalence_data();
    void handlerEquivalence();
    void handlerHandsBackTheLikelyValueOnlyWhenThePictureGivesIt_data();
    void handlerHandsBackTheLikelyValueOnlyWhenThePictureGivesIt();
    void cliPrintsALargeValueWhole();

    void modelLoadsAndRevertsToWhatThePlatformHas();
    void modelSelectionSurvivesOrFallsBack();
    void modelEditsOnlyTheSelectedDisplay();
    void modelStatusTexts_data();
    void modelStatusTexts();
    void modelDisplaysWithoutNumbersShareAnEntry();
    void modelNotifiesOnlyChanges();
    void largePreviewsAreDecodedSmallerAtTheirNaturalSize_data();
    void largePreviewsAreDecodedSmallerAtTheirNaturalSize();
    void modelDecodesPreviewsForTheWellInTheBackground();
    void previewsSayWhyThereIsNone_data();
    void previewsSayWhyThereIsNone();
    void modelDropsADecodeOfAPictureNoLongerChosen();

    void cliShow();
    void cliSet_data();
    void cliSet();
    void cliSetStoresRelativePathsWhole_data();
    void cliSetStoresRelativePathsWhole();
    void cliWarnsOnceAboutDamagedDisplays();
};

// ---- configuration ------------------------------------------------------------------------------

void TestWallpaper::decodingConfigs_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("read"); // "path | embedded | scaling | clipping", "-" for absent; or "refused"
    const auto row = [](const char *name, const QByteArray &json, const char *read = "refused") {
        QTest::newRow(name) << json << QString(read);
    };
    row("everything",
        R"({"imagePath":"~/Pictures/a b.png","scaling":"center","allowClipping":false,"embeddedImageData":"AAEC"})",
        "~/Pictures/a b.png | AAEC | center | false");
    row("only the required keys", R"({"scaling":"fit","allowClipping":true})", "- | - | fit | true");
    row("any key order, extra keys", R"({"allowClipping":true,"extra":[1],"scaling":"stretch"})",
        "- | - | stretch | true");
    row("null path is no path", R"({"imagePath":null,"scaling":"fill","allowClipping":true})",
        "- | - | fill | true");
    row("the tweak's default", "{}");
    row("no scaling", R"({"allowClipping":true})");
    row("no clipping", R"({"scaling":"fill"})");
    row("unknown scaling", R"({"scaling":"tile","allowClipping":true})");
    row("scaling in capitals", R"({"scaling":"Fill","allowClipping":true})");
    row("scaling as a code", R"({"scaling":3,"allowClipping":true})");
    row("clipping as text", R"({"scaling":"fill","allowClipping":"yes"})");
    row("path as a number", R"({"imagePath":7,"scaling":"fill","allowClipping":true})");
    row("an array", R"([{"scaling":"fill","allowClipping":true}])");
    row("not JSON", "scaling=fill");
    row("empty", QByteArray());
}

void TestWallpaper::decodingConfigs()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, read);
    const Result<WallpaperConfig> c = WallpaperConfig::fromJson(json);
    QVERIFY(c || !c.error().isEmpty()); // a refusal says why
    const QString got = c ? QStringList{c->imagePath.value_or("-"), c->embeddedImageData.value_or("-"),
                                        rawValue(c->scaling), c->allowClipping ? "true" : "false"}
                                .join(" | ")
                          : QStringLiteral("refused");
    QCOMPARE(got, read);
}

void TestWallpaper::encodingConfigs_data()
{
    QTest::addColumn<WallpaperConfig>("config");
    QTest::addColumn<QStringList>("keys");
    const QStringList required{"allowClipping", "scaling"};
    const QStringList withPath{"allowClipping", "imagePath", "scaling"};
    dataRow("no picture", config(std::nullopt), required);
    dataRow("path only", config("/Library/Desktop Pictures/x.png", Scaling::center, false), withPath);
    dataRow("empty path is kept", config(QString()), withPath);
    dataRow("path needing escapes", config(QString::fromUtf8("/tmp/\"quoted\"\\back\tslash/été\n.png")),
            withPath);
    dataRow("embedded picture", config("/a.png", Scaling::fit, true, "iVBORw0KGgo="),
            QStringList{"allowClipping", "embeddedImageData", "imagePath", "scaling"});
    dataRow("embedded text that is not Base64",
            config(std::nullopt, Scaling::stretch, true, "\"}, {\"scaling\":\"center"),
            QStringList{"allowClipping", "embeddedImageData", "scaling"});
}

void TestWallpaper::encodingConfigs()
{
    QFETCH(WallpaperConfig, config);
    QFETCH(QStringList, keys);
    const QByteArray json = config.toJson();
    // Compact: no white space outside the strings.
    const QJsonDocument parsed = QJsonDocument::fromJson(json);
    QVERIFY(parsed.isObject());
    QCOMPARE(json.size(), parsed.toJson(QJsonDocument::Compact).size());
    QStringList actualKeys = parsed.object().keys();
    actualKeys.sort();
    QCOMPARE(actualKeys, keys);
    QVERIFY(parsed.object().value("allowClipping").isBool());
    const Result<WallpaperConfig> back = WallpaperConfig::fromJson(json);
    QVERIFY2(back.ok(), qPrintable(back.error()));
    QVERIFY(*back == config);
}

void TestWallpaper::displayIdentity_data()
{
    QTest::addColumn<QVariant>("number");
    QTest::addColumn<quint32>("id");
    QTest::newRow("unsigned") << QVariant::fromValue(quint32(69733248)) << quint32(69733248);
    QTest::newRow("largest") << QVariant::fromValue(quint32(0xFFFFFFFFu)) << quint32(0xFFFFFFFFu);
    QTest::newRow("signed but positive") << QVariant(qint64(5)) << quint32(5);
    QTest::newRow("whole real") << QVariant(3.0) << quint32(3);
    QTest::newRow("missing") << QVariant() << quint32(0);
    QTest::newRow("negative") << QVariant(-1) << quint32(0);
    QTest::newRow("beyond 32 bits") << QVariant(qint64(0x100000000LL)) << quint32(0);
    QTest::newRow("fraction") << QVariant(2.5) << quint32(0);
    QTest::newRow("text") << QVariant(QStringLiteral("7")) << quint32(0);
    QTest::newRow("boolean") << QVariant(true) << quint32(0);
}

void TestWallpaper::displayIdentity()
{
    QFETCH(QVariant, number);
    QFETCH(quint32, id);
    velmora::Display display;
    if (number.isValid())
        display.deviceDescription.insert("NSScreenNumber", number);
    QCOMPARE(displayID(display), id);
}

void TestWallpaper::simulatedDisplaysFromTheRoot()
{
    TestRoot root;
    // A fresh root describes two displays in a file a user can edit; the first is main.
    QVERIFY(QFileInfo::exists(root.path() + "/.simulated/displays.json"));
    DisplayService &service = root.platform().displays();
    QList<velmora::Display> displays = service.displays();
    QCOMPARE(displays.size(), 2);
    QCOMPARE(displays[0].name, QStringLiteral("Built-in Retina Display"));
    QCOMPARE(displayID(displays[0]), 1u);
    QCOMPARE(displayID(displays[1]), 2u);
    QCOMPARE(service.mainDisplay()->name, QStringLiteral("Built-in Retina Display"));

    // Displays without a usable number, and a main one that is not first.
    writeDisplays(root,
                  QJsonArray{displayEntry("", -1, 800, 600),
                             QJsonObject{{"name", "Odd"}, {"number", "abc"}, {"width", 640}, {"height", 480}},
                             displayEntry("Projector", 9, 1024, 768, true)});
    displays = service.displays();
    QCOMPARE(displays.size(), 3);
    QCOMPARE(displayID(displays[0]), 0u);
    QCOMPARE(displayID(displays[1]), 0u);
    QCOMPARE(displays[2].frame.size(), QSize(1024, 768));
    QCOMPARE(service.mainDisplay()->name, QStringLiteral("Projector"));
    QVERIFY(!service.desktopImagePath(displays[0]));

    // A display description that no longer matches a connected display cannot be given a picture.
    velmora::Display gone = displays[2];
    gone.name = "Unplugged";
    const Status refused = service.setDesktopImage(samplePicture(root, "Graphite.png"), gone, {});
    QVERIFY(!refused);
    QVERIFY(refused.error().contains("Unplugged"));
    // A damaged description falls back to the default displays: cliWarnsOnceAboutDamagedDisplays.
}

// ---- restoring embedded pictures ----------------------------------------------------------------

void TestWallpaper::materialize_data()
{
    QTest::addColumn<QString>("path");     // "<absent>", or a path; "<existing>" is a picture in the root
    QTest::addColumn<QString>("embedded"); // "<absent>", "<picture>" for Base64 of a JPEG, or literal text
    QTest::addColumn<bool>("writes");

    dataRow("nothing embedded", "/nowhere/x.png", "<absent>", false);
    dataRow("empty embedded text", "/nowhere/x.png", "", false);
    dataRow("the file here wins", "<existing>", "<picture>", false);
    dataRow("the file here wins, by ~", "~/Pictures/mine.png", "<picture>", false);
    dataRow("missing file, picture carried", "/Users/someone/Pictures/gone.png", "<picture>", true);
    dataRow("no path, picture carried", "<absent>", "<picture>", true);
    dataRow("empty path, picture carried", "", "<picture>", true);
    dataRow("bad character", "<absent>", "AAE*", false);
    dataRow("URL alphabet", "<absent>", "-_8=", false);
    dataRow("line break", "<absent>", "AAEC\nAAEC", false);
    dataRow("missing padding", "<absent>", "AAE", false);
    dataRow("padding inside", "<absent>", "AA==AAEC", false);
}

void TestWallpaper::materialize()
{
    QFETCH(QString, path);
    QFETCH(QString, embedded);
    QFETCH(bool, writes);
    TestRoot root;
    writePicture(root.root().home() + "/Pictures/mine.png");
    const QByteArray picture = readAll(samplePicture(root, "Dusk.jpg"));
    QVERIFY(!picture.isEmpty());

    WallpaperConfig c;
    if (path == "<existing>")
        c.imagePath = samplePicture(root, "Graphite.png");
    else if (path != "<absent>")
        c.imagePath = path;
    if (embedded == "<picture>")
        c.embeddedImageData = QString::fromLatin1(picture.toBase64());
    else if (embedded != "<absent>")
        c.embeddedImageData = embedded;
    const WallpaperConfig before = c;

    const Status status = materializeEmbeddedImage(c, root.platform().fileLocations());
    QVERIFY2(status.ok(), qPrintable(status.error()));
    const QStringList files = filesIn(wallpapers(root));
    if (!writes) {
        QVERIFY(c == before);
        QVERIFY(files.isEmpty());
        return;
    }
    // A JPEG's bytes go into a ".png" all the same: the name does not say the format.
    QCOMPARE(files.size(), 1);
    QVERIFY(QRegularExpression("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\.png$")
                .match(files.first())
                .hasMatch());
    QCOMPARE(*c.imagePath, wallpapers(root) + "/" + files.first());
    QVERIFY(wallpapers(root).endsWith("/Library/Application Support/dev.corrandelwick.Velmora/Wallpapers"));
    QCOMPARE(readAll(*c.imagePath), picture);
    QCOMPARE(c.embeddedImageData, before.embeddedImageData); // left as it was
}

void TestWallpaper::materializeReportsAFolderThatCannotBeMade()
{
    TestRoot root;
    const FileLocations locations = root.platform().fileLocations();
    // A file where the application's folder should be.
    QFile blocker(locations.applicationSupport + "/dev.corrandelwick.Velmora");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    WallpaperConfig c = config("/gone.png", Scaling::fill, true, "AAEC");
    const Status status = materializeEmbeddedImage(c, locations);
    QVERIFY(!status);
    QVERIFY2(status.error().contains(wallpapers(root)), qPrintable(status.error()));
    QVERIFY2(status.error().contains("Not a directory") || status.error().contains("File exists"),
             qPrintable(status.error()));
    QCOMPARE(*c.imagePath, QStringLiteral("/gone.png"));
}

// ---- setting pictures ---------------------------------------------------------------------------

void TestWallpaper::applyWallpaper_data()
{
    QTest::addColumn<QString>("path");        // "<absent>" for none
    QTest::addColumn<QString>("displays");    // "default", "none", "second only"
    QTest::addColumn<QString>("error");       // "" for success; "%1" stands for the root
    QTest::addColumn<QStringList>("changed"); // display keys whose picture changed

    const QString graphite = "%1/Library/Desktop Pictures/Graphite.png";
    const QStringList both{"1", "2"};
    dataRow("no path", "<absent>", "default", "", QStringList());
    dataRow("empty path", "", "default", "", QStringList());
    dataRow("every display", graphite, "default", "", both);
    dataRow("given displays only", graphite, "second only", "", QStringList{"2"});
    dataRow("~ is the home folder", "~/Pictures/mine.png", "default", "", both);
    dataRow("missing file, expanded in the text", "~/Pictures/gone.png", "default",
            "Wallpaper image not found at: %1/Users/user/Pictures/gone.png", QStringList());
    dataRow("missing file before no displays", "/no/such.png", "none",
            "Wallpaper image not found at: /no/such.png", QStringList());
    dataRow("no displays", "~/Pictures/mine.png", "none", "No displays detected.", QStringList());
    dataRow("not a picture", "~/Pictures/notes.png", "default",
            "Could not apply wallpaper %1/Users/user/Pictures/notes.png: The file “notes.png” couldn’t be "
            "opened because it isn’t in the correct format.",
            QStringList());
}

void TestWallpaper::applyWallpaper()
{
    QFETCH(QString, path);
    QFETCH(QString, displays);
    QFETCH(QString, error);
    QFETCH(QStringList, changed);
    TestRoot root;
    writePicture(root.root().home() + "/Pictures/mine.png");
    writeNotAPicture(root.root().home() + "/Pictures/notes.png");
    if (displays == "none")
        writeDisplays(root, QJsonArray());
    const QJsonObject before = recordedPictures(root);

    std::optional<QString> imagePath;
    if (path != "<absent>")
        imagePath = path.replace("%1", root.path());
    std::optional<QList<velmora::Display>> targets;
    if (displays == "second only")
        targets = QList<velmora::Display>{root.platform().displays().displays().at(1)};
    const WallpaperStatus status =
        velmora::applyWallpaper(root.platform(), imagePath, Scaling::center, false, targets);
    QCOMPARE(status.ok() ? QString() : status.error().description(), error.replace("%1", root.path()));
    const QString expanded = root.platform().fileLocations().expandTilde(imagePath.value_or(QString()));
    for (QString &key : changed)
        key += "=" + expanded + "|2|false";
    compareRecorded(root, before, changed);
}

void TestWallpaper::applyWallpaperStopsAtTheFirstRefusal()
{
    TestRoot root;
    writeDisplays(root, QJsonArray{displayEntry("One", 1, 800, 600, true), displayEntry("Two", 2, 800, 600),
                                   displayEntry("Three", 3, 800, 600)});
    QList<velmora::Display> displays = root.platform().displays().displays();
    displays[1].name = "Two (unplugged)"; // the platform refuses a display it no longer has
    const QString picture = samplePicture(root, "Bloom.png");
    const WallpaperStatus status =
        velmora::applyWallpaper(root.platform(), picture, Scaling::fit, true, displays);
    QVERIFY(!status);
    QVERIFY(status.error().description().startsWith("Could not apply wallpaper " + picture + ": "));
    QCOMPARE(recordedPicture(root, "1").value("path").toString(), picture); // before the failure: kept
    QVERIFY(recordedPicture(root, "3").isEmpty());                          // after it: untouched
}

void TestWallpaper::applyPerDisplay_data()
{
    QTest::addColumn<QJsonArray>("displays");
    QTest::addColumn<QStringList>("entries"); // "id=path|scaling|clip"; path "-" for none, "%1" the root
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("expected"); // "key=path|code|clip" for every display key that changed

    const QJsonArray two{displayEntry("One", 1, 800, 600, true), displayEntry("Two", 2, 800, 600)};
    const QString graphite = "%1/Library/Desktop Pictures/Graphite.png";
    const QString bloom = "%1/Library/Desktop Pictures/Bloom.png";
    const QString notFound = "Wallpaper image not found at: %1/Users/user/gone.png";

    dataRow("empty map", two, QStringList(), "", QStringList());
    dataRow("no displays, empty map", QJsonArray(), QStringList(), "No displays detected.", QStringList());
    dataRow("each its own", two, QStringList{"1=" + graphite + "|center|false", "2=" + bloom + "|fit|true"},
            "", QStringList{"1=" + graphite + "|2|false", "2=" + bloom + "|0|true"});
    dataRow("display without a path is skipped", two,
            QStringList{"1=-|fill|true", "2=" + bloom + "|stretch|true"}, "",
            QStringList{"2=" + bloom + "|1|true"});
    dataRow("entries for no display are ignored", two,
            QStringList{"7=/no/such.png|fill|true", "2=" + bloom + "|fill|true"}, "",
            QStringList{"2=" + bloom + "|3|true"});
    dataRow("a display without a number is 0",
            QJsonArray{displayEntry("Numberless", -1, 800, 600, true), displayEntry("Two", 2, 800, 600)},
            QStringList{"0=" + graphite + "|fit|true"}, "",
            QStringList{"unnumbered-1=" + graphite + "|0|true"});
    dataRow("missing file stops before later displays", two,
            QStringList{"1=~/gone.png|fill|true", "2=" + bloom + "|fill|true"}, notFound, QStringList());
    // Nothing rolled back: the displays set before the failure keep their new pictures.
    dataRow("missing file after an earlier display", two,
            QStringList{"1=" + graphite + "|fill|true", "2=~/gone.png|fill|true"}, notFound,
            QStringList{"1=" + graphite + "|3|true"});
    dataRow("refused picture stops before later displays", two,
            QStringList{"1=%1/Users/user/notes.png|fill|true", "2=" + bloom + "|fill|true"},
            "Could not apply wallpaper %1/Users/user/notes.png: The file “notes.png” couldn’t be opened "
            "because it "
            "isn’t in the correct format.",
            QStringList());
}

void TestWallpaper::applyPerDisplay()
{
    QFETCH(QJsonArray, displays);
    QFETCH(QStringList, entries);
    QFETCH(QString, error);
    QFETCH(QStringList, expected);
    TestRoot root;
    writeNotAPicture(root.root().home() + "/notes.png");
    writeDisplays(root, displays);
    const QJsonObject before = recordedPictures(root);

    QMap<quint32, WallpaperConfig> configs;
    for (const QString &entry : entries) {
        const QStringList parts = entry.section('=', 1).split('|');
        const QString path = QString(parts[0]).replace("%1", root.path());
        configs.insert(entry.section('=', 0, 0).toUInt(),
                       config(path == "-" ? std::nullopt : std::optional<QString>(path),
                              *scalingFromRawValue(parts[1]), parts[2] == "true",
                              "AAEC" /* never used here */));
    }
    const WallpaperStatus status = velmora::applyPerDisplay(root.platform(), configs);
    QCOMPARE(status.ok() ? QString() : status.error().description(),
             QString(error).replace("%1", root.path()));
    compareRecorded(root, before, expected);
}

// ---- the wallpaper tweak ------------------------------------------------------------------------

void TestWallpaper::handlerCapturesTheMainDisplaysPicture()
{
    TestRoot root;
    // The main display is the second one here, and its picture lives deep in folders with spaces.
    writeDisplays(root,
                  QJsonArray{displayEntry("One", 1, 800, 600), displayEntry("Two", 2, 1024, 768, true)});
    const QString picture = writePicture(root.root().home() + "/Pictures/Trips/2024 Summer/Cliffs & Sea.png",
                                         QSize(90, 30), Qt::red);
    QVERIFY(setOn(root, 1, picture, Scaling::center, false));
    QVERIFY(setOn(root, 0, samplePicture(root, "Bloom.png")));

    const Result<TweakValue> value = await(WallpaperTweakHandler().currentValue(root.platform()));
    QVERIFY(value && value->isString());
    // What is in effect on the display is not read: always fill with clipping.
    QCOMPARE(parseObject(value->toString()),
             (QJsonObject{{"imagePath", picture},
                          {"scaling", "fill"},
                          {"allowClipping", true},
                          {"embeddedImageData", QString::fromLatin1(readAll(picture).toBase64())}}));
}

void TestWallpaper::handlerCapturesWithoutAPicture()
{
    TestRoot root;
    writeDisplays(root, QJsonArray{displayEntry("Fresh", 5, 800, 600, true)});
    const QJsonObject nothing{{"scaling", "fill"}, {"allowClipping", true}};
    QCOMPARE(parseObject(await(WallpaperTweakHandler().currentValue(root.platform()))->toString()), nothing);

    // A picture that has gone since it was set travels as its path alone.
    const QString picture = writePicture(root.path() + "/soon-gone.png");
    QVERIFY(velmora::applyWallpaper(root.platform(), picture, Scaling::fill, true));
    QFile::remove(picture);
    QJsonObject pathOnly = nothing;
    pathOnly.insert("imagePath", picture);
    QCOMPARE(parseObject(await(WallpaperTweakHandler().currentValue(root.platform()))->toString()), pathOnly);

    // No display at all: nothing to capture, still a value.
    writeDisplays(root, QJsonArray());
    QCOMPARE(parseObject(await(WallpaperTweakHandler().currentValue(root.platform()))->toString()), nothing);
}

void TestWallpaper::handlerCapturesLargePicturesWhole_data()
{
    // The picture is read in slices; sizes around their edges must come back byte for byte.
    QTest::addColumn<int>("extra"); // bytes after the picture itself
    QTest::newRow("none") << 0;
    QTest::newRow("one slice and one byte") << 3 * 256 * 1024 + 1;
    QTest::newRow("several slices, two bytes over") << 7 * 256 * 1024 + 2;
    QTest::newRow("a few megabytes") << 3 * 1024 * 1024 + 5;
}

void TestWallpaper::handlerCapturesLargePicturesWhole()
{
    QFETCH(int, extra);
    TestRoot root;
    const QString picture = writePicture(root.path() + "/big.png", QSize(50, 50), Qt::magenta);
    QVERIFY(velmora::applyWallpaper(root.platform(), picture, Scaling::fill, true));
    // Trailing bytes keep the file a picture to the service and make it as large as wanted.
    QFile file(picture);
    QVERIFY(file.open(QIODevice::Append));
    QByteArray tail(extra, Qt::Uninitialized);
    for (int i = 0; i < extra; ++i)
        tail[i] = char((qint64(i) * 7919) >> 3); // in 64 bits: a few million times 7919 is past int
    file.write(tail);
    file.close();

    const Result<TweakValue> value = await(WallpaperTweakHandler().currentValue(root.platform()));
    QVERIFY(value);
    const QJsonObject object = parseObject(value->toString());
    QCOMPARE(object.value("imagePath").toString(), picture);
    const QByteArray decoded =
        QByteArray::fromBase64(object.value("embeddedImageData").toString().toLatin1());
    QCOMPARE(decoded.size(), readAll(picture).size());
    QVERIFY(decoded == readAll(picture));
    // Exactly the text the configuration itself would write.
    WallpaperConfig carried = config(picture);
    carried.embeddedImageData = QString::fromLatin1(readAll(picture).toBase64());
    QVERIFY(value->toString() == QString::fromUtf8(carried.toJson()));
}

void TestWallpaper::handlerReadsThePictureOffTheWindowsThread()
{
    // A 20 MB picture takes a few hundred milliseconds to capture: the window must go on meanwhile.
    TestRoot root;
    const QString picture = writePicture(root.path() + "/large.png", QSize(50, 50), Qt::magenta);
    QVERIFY(velmora::applyWallpaper(root.platform(), picture, Scaling::fill, true));
    QFile file(picture);
    QVERIFY(file.open(QIODevice::Append));
    file.write(QByteArray(20 * 1024 * 1024, 'x'));
    file.close();
    Ticker ticker;
    const Result<TweakValue> value = await(WallpaperTweakHandler().currentValue(root.platform()));
    QVERIFY(value && value->toString().size() > 27'000'000);
    QVERIFY2(ticker.ticks >= 3, qPrintable(QString::number(ticker.ticks)));
    QVERIFY2(ticker.longest < 100, qPrintable(QString::number(ticker.longest)));
}

void TestWallpaper::handlerRestoresOnAnotherMachine()
{
    TestRoot home;
    const QString picture =
        writePicture(home.root().home() + "/Pictures/Holiday/beach.png", QSize(120, 80), Qt::yellow);
    QVERIFY(velmora::applyWallpaper(home.platform(), picture, Scaling::fill, true));
    TweakEngine source(TweakRegistry::shared(), home.platform(), standardHandlers());
    await(source.refreshCategory("wallpaper"));
    const TweakValue captured = source.currentValues().value("wallpaper.config");
    QVERIFY(captured.toString().contains("beach.png"));

    // On the other machine the picture's path leads nowhere.
    const QByteArray bytes = readAll(picture);
    QVERIFY(QFile::remove(picture));
    TestRoot away;
    TweakEngine engine(TweakRegistry::shared(), away.platform(), standardHandlers());
    QVERIFY(await(engine.apply(captured, wallpaperTweak())));
    QVERIFY(!engine.lastError());
    QVERIFY(engine.pendingRestarts().isEmpty());
    const QStringList files = filesIn(wallpapers(away));
    QCOMPARE(files.size(), 1);
    const QString restored = wallpapers(away) + "/" + files.first();
    QCOMPARE(readAll(restored), bytes);
    for (const QString &key : {QStringLiteral("1"), QStringLiteral("2")})
        QCOMPARE(recordedPicture(away, key).value("path").toString(), restored);
    // Restored under a new name, the same picture is the same state; another picture is not.
    WallpaperTweakHandler handler;
    const TweakValue there = *await(handler.currentValue(away.platform()));
    QVERIFY(there != captured && handler.valuesEquivalent(captured, there));

    // Applied again, the same value writes another copy: earlier files are never removed.
    QVERIFY(await(engine.apply(captured, wallpaperTweak())));
    QCOMPARE(filesIn(wallpapers(away)).size(), 2);
    QVERIFY(
        velmora::applyWallpaper(away.platform(), samplePicture(away, "Graphite.png"), Scaling::fill, true));
    QVERIFY(!handler.valuesEquivalent(captured, *await(handler.currentValue(away.platform()))));
}

void TestWallpaper::handlerApply_data()
{
    QTest::addColumn<TweakValue>("value"); // "%1" in a text stands for the root
    QTest::addColumn<QString>("error");    // empty: success; otherwise a part of the error
    QTest::addColumn<QString>("shown");    // what display 1 shows afterwards: "before" or a path
    QTest::addColumn<int>("written");      // files in the wallpapers folder
    const auto row = [](const char *name, const TweakValue &value, const QString &error,
                        const QString &shown = "before",
                        int written = 0) { QTest::newRow(name) << value << error << shown << written; };
    const auto text = [](const QString &json) { return TweakValue::ofString(json); };
    const auto base64 = [](const char *bytes) { return QString::fromLatin1(QByteArray(bytes).toBase64()); };

    row("a boolean is ignored", TweakValue::ofBool(true), "");
    row("a number is ignored", TweakValue::ofInt(3), "");
    row("the default cannot be applied", text("{}"), "scaling");
    row("unknown scaling", text(R"({"scaling":"tile","allowClipping":true,"embeddedImageData":"AAEC"})"),
        "tile");
    row("not JSON", text("wallpaper"), "JSON");
    row("nothing captured: no effect", text(R"({"scaling":"fill","allowClipping":true})"), "");
    row("the file here is used, nothing written",
        text(QStringLiteral(R"({"imagePath":"%1/Library/Desktop Pictures/Graphite.png",)"
                            R"("scaling":"fill","allowClipping":true,"embeddedImageData":"%2"})")
                 .arg("%1", base64("not the same picture"))),
        "", "%1/Library/Desktop Pictures/Graphite.png");
    row("missing file, nothing carried",
        text(R"({"imagePath":"~/Gone/x.png","scaling":"fit","allowClipping":true})"),
        "Wallpaper image not found at: %1/Users/user/Gone/x.png");
    row("missing file, undecodable copy",
        text(
            R"({"imagePath":"/Gone/x.png","scaling":"fit","allowClipping":true,"embeddedImageData":"@@@@"})"),
        "Wallpaper image not found at: /Gone/x.png");
    row("carried bytes that are no picture",
        text(QStringLiteral(R"({"imagePath":"/Gone/x.png","scaling":"fit","allowClipping":true,)"
                            R"("embeddedImageData":"%1"})")
                 .arg(base64("plain text"))),
        "isn’t in the correct format", "before", 1);
}

void TestWallpaper::handlerApply()
{
    QFETCH(TweakValue, value);
    QFETCH(QString, error);
    QFETCH(QString, shown);
    QFETCH(int, written);
    TestRoot root;
    if (value.isString())
        value = TweakValue::ofString(value.toString().replace("%1", root.path()));
    const QString before = recordedPicture(root, "1").value("path").toString();

    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    const bool applied = await(engine.apply(value, wallpaperTweak()));
    QCOMPARE(applied, error.isEmpty());
    if (!error.isEmpty())
        QVERIFY2(engine.lastError()->contains(QString(error).replace("%1", root.path())),
                 qPrintable(*engine.lastError()));
    QCOMPARE(recordedPicture(root, "1").value("path").toString(),
             shown == "before" ? before : shown.replace("%1", root.path()));
    QCOMPARE(filesIn(wallpapers(root)).size(), written);
}

void TestWallpaper::handlerResetChangesNothing()
{
    TestRoot root;
    const QByteArray before = readAll(root.path() + "/.simulated/desktop-pictures.json");
    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    await(engine.reset(wallpaperTweak()));
    QVERIFY(!engine.lastError());
    QCOMPARE(readAll(root.path() + "/.simulated/desktop-pictures.json"), before);
    // The engine then shows what is on screen.
    QVERIFY(engine.currentValues().value("wallpaper.config").toString().contains("Dusk.jpg"));
}

void TestWallpaper::handlerEquivalence_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    const auto row = [](const char *name, const char *a, const char *b, bool same) {
        QTest::newRow(name) << QString::fromUtf8(a) << QString::fromUtf8(b) << same;
    };
    // Without carried bytes the paths decide, whatever the order of the keys; a value that does not
    // read is only ever the same text.
    const char *a = R"({"imagePath":"/a.png","scaling":"fill","allowClipping":true})";
    row("keys in another order", a, R"({"allowClipping":true,"scaling":"fill","imagePath":"/a.png"})", true);
    row("another path", a, R"({"imagePath":"/c.png","scaling":"fill","allowClipping":true})", false);
    row("the default", a, "{}", false);
    row("the default twice", "{}", "{}", true);
    // With carried bytes on both sides the bytes decide, not the paths.
    const char *carried =
        R"({"imagePath":"/a.png","scaling":"fill","allowClipping":true,"embeddedImageData":"AAEC"})";
    row("the same bytes under another name", carried,
        R"({"imagePath":"/b.png","scaling":"fill","allowClipping":true,"embeddedImageData":"AAEC"})", true);
    row("other bytes", carried,
        R"({"imagePath":"/a.png","scaling":"fill","allowClipping":true,"embeddedImageData":"AAED"})", false);
    row("the same bytes, other scaling", carried,
        R"({"imagePath":"/a.png","scaling":"fit","allowClipping":true,"embeddedImageData":"AAEC"})", false);
    row("only one carries bytes", carried, a, false);
    row("white space and order around the bytes", carried,
        R"({ "embeddedImageData" : "AAEC" , "scaling":"fill", "allowClipping":true, "imagePath":"/z.png" })",
        true);
    // The member's name elsewhere is not the member: inside another key, a path, or a nested object.
    row("the name inside another key", carried,
        R"({"x\"embeddedImageData":"AAED","scaling":"fill","allowClipping":true,"embeddedImageData":"AAEC"})",
        true);
    row("the name inside a path", carried,
        R"({"imagePath":"\"embeddedImageData\":\"AAED","scaling":"fill","allowClipping":true,)"
        R"("embeddedImageData":"AAEC"})",
        true);
    row("the name one level down", carried,
        R"({"more":{"embeddedImageData":"AAED"},"scaling":"fill","allowClipping":true,"embeddedImageData":"AAEC"})",
        true);
    row("escaped bytes are read as JSON reads them", carried,
        R"({"scaling":"fill","allowClipping":true,"embeddedImageData":"AA\u0045C"})", true);
}

void TestWallpaper::handlerEquivalence()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    // However each value holds its text, and both ways round.
    const WallpaperTweakHandler handler;
    for (const TweakValue &left : {TweakValue::ofString(a), TweakValue::ofUtf8(a.toUtf8())}) {
        for (const TweakValue &right : {TweakValue::ofString(b), TweakValue::ofUtf8(b.toUtf8())}) {
            QCOMPARE(handler.valuesEquivalent(left, right), same);
            QCOMPARE(handler.valuesEquivalent(right, left), same);
        }
    }
}

void TestWallpaper::handlerHandsBackTheLikelyValueOnlyWhenThePictureGivesIt_data()
{
    QTest::addColumn<QString>("change"); // what happens between the first read and the second
    QTest::addColumn<bool>("likelyAsUtf16");
    QTest::addColumn<bool>("shared"); // whether the second read hands the first one's bytes back
    QTest::newRow("nothing") << "" << false << true;
    QTest::newRow("nothing, the likely value held as UTF-16") << "" << true << false;
    QTest::newRow("one byte of the picture, same size") << "byte" << false << false;
    QTest::newRow("one byte added to the picture") << "grow" << false << false;
    QTest::newRow("the last byte cut off") << "shrink" << false << false;
    QTest::newRow("another picture set") << "other" << false << false;
    QTest::newRow("the picture gone") << "remove" << false << false;
}

void TestWallpaper::handlerHandsBackTheLikelyValueOnlyWhenThePictureGivesIt()
{
    QFETCH(QString, change);
    QFETCH(bool, likelyAsUtf16);
    QFETCH(bool, shared);
    TestRoot root;
    const QString picture = writePicture(root.path() + "/big.png", QSize(50, 50), Qt::magenta);
    QVERIFY(velmora::applyWallpaper(root.platform(), picture, Scaling::fill, true));
    {
        // Past a slice of the capture, so a change late in the file is compared too.
        QFile file(picture);
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(3 * 256 * 1024 + 7, 'q'));
    }
    const WallpaperTweakHandler handler;
    const Result<TweakValue> first = await(handler.currentValue(root.platform()));
    QVERIFY(first && first->holdsUtf8());
    const TweakValue likely = likelyAsUtf16 ? TweakValue::ofString(first->toString()) : *first;

    QByteArray bytes = readAll(picture);
    if (change == "byte")
        bytes[bytes.size() - 2] = 'r';
    else if (change == "grow")
        bytes.append('q');
    else if (change == "shrink")
        bytes.chop(1);
    if (change == "byte" || change == "grow" || change == "shrink") {
        QFile file(picture);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    } else if (change == "other") {
        QVERIFY(velmora::applyWallpaper(root.platform(), samplePicture(root, "Graphite.png"), Scaling::fill,
                                        true));
    } else if (change == "remove") {
        QVERIFY(QFile::remove(picture));
    }

    const Result<TweakValue> second = await(handler.currentValueLike(root.platform(), likely));
    const Result<TweakValue> fresh = await(handler.currentValue(root.platform()));
    QVERIFY(second && fresh);
    // Always what a read without the hint gives; the very same bytes only when nothing changed.
    QVERIFY(*second == *fresh);
    QCOMPARE(*second == *first, change.isEmpty());
    QCOMPARE(second->toUtf8().constData() == first->toUtf8().constData(), shared);
}

void TestWallpaper::cliPrintsALargeValueWhole()
{
    // Printed in slices: a few megabytes, and a path with characters of several bytes, must come
    // out as the one text the value is, in either form.
    TestRoot root;
    const QString picture = writePicture(root.path() + "/Bilder für Straße/ß.png", QSize(50, 50), Qt::cyan);
    QVERIFY(velmora::applyWallpaper(root.platform(), picture, Scaling::fill, true));
    {
        QFile file(picture);
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(2 * 1024 * 1024 + 1, 'z'));
    }
    const Result<TweakValue> value = await(WallpaperTweakHandler().currentValue(root.platform()));
    QVERIFY(value);
    const ProgramRun text = runVelmoractl(root, {"get", "wallpaper.config"});
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out == value->toString() + "\n");
    const ProgramRun json = runVelmoractl(root, {"get", "wallpaper.config", "--json"});
    QCOMPARE(json.exitCode, 0);
    const QJsonObject coded = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QVERIFY(coded.value("string").toObject().value("_0").toString() == value->toString());
}

// ---- the editor's model -------------------------------------------------------------------------

void TestWallpaper::modelLoadsAndRevertsToWhatThePlatformHas()
{
    TestRoot root;
    // What is in effect is not read back: the model starts every display from fill with clipping.
    QVERIFY(velmora::applyWallpaper(root.platform(), samplePicture(root, "Bloom.png"), Scaling::center, false,
                                    QList<velmora::Display>{root.platform().displays().displays().at(1)}));
    WallpaperViewModel model(root.platform());
    model.load();
    QCOMPARE(model.screens().size(), 2);
    QCOMPARE(model.configs().keys(), (QList<quint32>{1, 2}));
    QCOMPARE(model.configs().value(1), config(samplePicture(root, "Dusk.jpg")));
    QCOMPARE(model.configs().value(2), config(samplePicture(root, "Bloom.png")));
    QTRY_COMPARE(model.previews().keys(), (QList<quint32>{1, 2}));
    QCOMPARE(model.previews().value(2).size(), QSize(240, 320));
    QCOMPARE(model.selectedDisplayID(), std::optional<quint32>(1));
    QCOMPARE(model.currentConfig(), model.configs().value(1));
    QVERIFY(!model.isDirty());
    QVERIFY(!model.status());

    // Loading again drops the edits: back to what the platform has.
    const QImage preview = model.previews().value(1);
    model.setImagePath(samplePicture(root, "Bloom.png"));
    model.setScaling(Scaling::center);
    QTRY_VERIFY(model.previews().contains(1));
    QVERIFY(model.previews().value(1) != preview);
    model.load();
    QCOMPARE(model.configs().value(1), config(samplePicture(root, "Dusk.jpg")));
    QTRY_COMPARE(model.previews().value(1), preview);
    QVERIFY(!model.isDirty());
    QVERIFY(!model.status());
}

void TestWallpaper::modelSelectionSurvivesOrFallsBack()
{
    TestRoot root;
    WallpaperViewModel model(root.platform());
    model.load();
    model.setSelectedDisplayID(2);
    model.load();
    QCOMPARE(model.selectedDisplayID(), std::optional<quint32>(2));
    // velmora::Display 2 unplugged, another connected: the selection moves to the first display.
    writeDisplays(
        root, QJsonArray{displayEntry("Other", 7, 800, 600), displayEntry("Built-in", 1, 800, 600, true)});
    model.load();
    QCOMPARE(model.selectedDisplayID(), std::optional<quint32>(7));
    QVERIFY(!model.previews().contains(7)); // no picture set on it yet
    QCOMPARE(model.currentConfig(), config(std::nullopt));
}

void TestWallpaper::modelEditsOnlyTheSelectedDisplay()
{
    TestRoot root;
    const QJsonObject before = recordedPictures(root);
    WallpaperViewModel model(root.platform());
    model.load();
    const WallpaperConfig first = model.configs().value(1);
    model.setSelectedDisplayID(2);
    QVERIFY(!model.isDirty());
    model.setScaling(Scaling::stretch);
    QVERIFY(model.isDirty());
    model.setAllowClipping(false);
    model.setImagePath(samplePicture(root, "Graphite.png"));
    QCOMPARE(model.configs().value(2), config(samplePicture(root, "Graphite.png"), Scaling::stretch, false));
    QCOMPARE(model.currentConfig(), model.configs().value(2));
    QTRY_COMPARE(model.previews().value(2).size(), QSize(480, 480));
    QCOMPARE(model.configs().value(1), first);
    QCOMPARE(recordedPictures(root), before); // nothing reaches the platform until applied

    model.applyConfigs();
    QCOMPARE(model.status(), std::optional<QString>("Applied to 2 displays."));
    QVERIFY(!model.isDirty());
    compareRecorded(root, before, {"2=%1/Library/Desktop Pictures/Graphite.png|1|false"});
}

void TestWallpaper::modelStatusTexts_data()
{
    QTest::addColumn<int>("withPictures");
    QTest::addColumn<QString>("status");
    QTest::newRow("none") << 0 << "Applied to 0 displays.";
    QTest::newRow("one") << 1 << "Applied to 1 display.";
    QTest::newRow("two") << 2 << "Applied to 2 displays.";
}

void TestWallpaper::modelStatusTexts()
{
    QFETCH(int, withPictures);
    QFETCH(QString, status);
    TestRoot root;
    writeDisplays(root, QJsonArray{displayEntry("A", 11, 800, 600, true), displayEntry("B", 12, 800, 600),
                                   displayEntry("C", 13, 800, 600)});
    WallpaperViewModel model(root.platform());
    model.load();
    for (int i = 0; i < withPictures; ++i) {
        model.setSelectedDisplayID(11 + i);
        model.setImagePath(samplePicture(root, "Graphite.png"));
    }
    model.applyConfigs();
    QCOMPARE(model.status(), std::optional<QString>(status));
    QVERIFY(!model.isDirty());
}

void TestWallpaper::modelDisplaysWithoutNumbersShareAnEntry()
{
    TestRoot root;
    writeDisplays(root,
                  QJsonArray{displayEntry("Left", -1, 800, 600, true), displayEntry("Right", -1, 640, 480)});
    DisplayService &service = root.platform().displays();
    const QList<velmora::Display> displays = service.displays();
    QVERIFY(service.setDesktopImage(samplePicture(root, "Bloom.png"), displays[0], {}));
    QVERIFY(service.setDesktopImage(samplePicture(root, "Graphite.png"), displays[1], {}));
    WallpaperViewModel model(root.platform());
    model.load();
    QCOMPARE(model.screens().size(), 2);
    QCOMPARE(model.configs().keys(), QList<quint32>{0});
    QCOMPARE(*model.configs().value(0).imagePath, samplePicture(root, "Graphite.png")); // the later one wins
    QTRY_COMPARE(model.previews().value(0).size(), QSize(480, 480));
    QCOMPARE(model.selectedDisplayID(), std::optional<quint32>(0));
    // Applying sets the shared entry on both.
    model.setImagePath(samplePicture(root, "Dusk.jpg"));
    model.applyConfigs();
    QCOMPARE(model.status(), std::optional<QString>("Applied to 1 display."));
    QCOMPARE(*service.desktopImagePath(displays[0]), samplePicture(root, "Dusk.jpg"));
    QCOMPARE(*service.desktopImagePath(displays[1]), samplePicture(root, "Dusk.jpg"));
}

void TestWallpaper::modelNotifiesOnlyChanges()
{
    TestRoot root;
    WallpaperViewModel model(root.platform());
    QSignalSpy configs(&model, &WallpaperViewModel::configsChanged);
    QSignalSpy selection(&model, &WallpaperViewModel::selectedDisplayIDChanged);
    QSignalSpy dirty(&model, &WallpaperViewModel::isDirtyChanged);
    QSignalSpy status(&model, &WallpaperViewModel::statusChanged);
    QSignalSpy screens(&model, &WallpaperViewModel::screensChanged);
    model.load();
    model.load();
    QCOMPARE(configs.count(), 1);
    QCOMPARE(screens.count(), 1);
    QCOMPARE(selection.count(), 1);
    QCOMPARE(dirty.count(), 0);
    QCOMPARE(status.count(), 0);
    model.setSelectedDisplayID(1);
    QCOMPARE(selection.count(), 1);
    model.setScaling(Scaling::fill); // the value it has: the entry stays, the page is dirty all the same
    QCOMPARE(configs.count(), 1);
    QCOMPARE(dirty.count(), 1);
    model.setScaling(Scaling::fit);
    QCOMPARE(configs.count(), 2);
    QCOMPARE(dirty.count(), 1);
}

void TestWallpaper::largePreviewsAreDecodedSmallerAtTheirNaturalSize_data()
{
    QTest::addColumn<QSize>("cover");
    QTest::addColumn<QSize>("decoded");
    // Before the page says how large it shows them: at most previewMaxSide on the longer side.
    QTest::newRow("no size given") << QSize() << QSize(2048, 341);
    // Just covering the well's pixels, proportions kept.
    QTest::newRow("a well of 400×260") << QSize(400, 260) << QSize(1560, 260);
    QTest::newRow("a wide well") << QSize(3000, 100) << QSize(3000, 500);
    // Never larger than the picture.
    QTest::newRow("a well larger than the picture") << QSize(8000, 2000) << QSize(6000, 1000);
}

void TestWallpaper::largePreviewsAreDecodedSmallerAtTheirNaturalSize()
{
    QFETCH(QSize, cover);
    QFETCH(QSize, decoded);
    TestRoot root;
    const QString big = writePicture(root.path() + "/wide.png", QSize(6000, 1000), Qt::darkGreen);
    const QImage preview = WallpaperViewModel::decodePreview(big, cover);
    QVERIFY(!preview.isNull());
    QVERIFY2(qAbs(preview.width() - decoded.width()) <= 1 && qAbs(preview.height() - decoded.height()) <= 1,
             qPrintable(QStringLiteral("%1×%2").arg(preview.width()).arg(preview.height())));
    // The natural size survives to within the rounding of the smaller image.
    QCOMPARE(qRound(preview.deviceIndependentSize().width()), 6000);
    QVERIFY(qAbs(preview.deviceIndependentSize().height() - 1000) <= 1.5);
    QVERIFY(WallpaperViewModel::decodePreview(writeNotAPicture(root.path() + "/fake.png"), cover).isNull());
    QVERIFY(WallpaperViewModel::decodePreview(root.path() + "/nothing-here.png", cover).isNull());
}

void TestWallpaper::modelDecodesPreviewsForTheWellInTheBackground()
{
    TestRoot root;
    const QString wide = writePicture(root.path() + "/wide.png", QSize(6000, 1000), Qt::darkGreen);
    WallpaperViewModel model(root.platform());
    model.setPreviewPixelSize(QSize(400, 260));
    model.load();
    QTRY_VERIFY(model.pendingPreviews().isEmpty());
    QSignalSpy previews(&model, &WallpaperViewModel::previewsChanged);
    model.setImagePath(wide);
    // The old picture's preview goes at once; the new one comes when it is decoded.
    QVERIFY(!model.previews().contains(1));
    QCOMPARE(model.pendingPreviews(), QSet<quint32>{1});
    QTRY_VERIFY(model.previews().contains(1));
    QVERIFY(model.pendingPreviews().isEmpty());
    QCOMPARE(model.previews().value(1).height(), 260);

    // A larger well decodes again, the present preview shown meanwhile; a smaller one does not.
    model.setPreviewPixelSize(QSize(800, 520));
    QVERIFY(model.previews().contains(1));
    QTRY_COMPARE(model.previews().value(1).height(), 520);
    const qsizetype changes = previews.count();
    model.setPreviewPixelSize(QSize(400, 260));
    QCOMPARE(model.previewPixelSize(), QSize(800, 520));
    QVERIFY(model.pendingPreviews().isEmpty());
    QTest::qWait(100);
    QCOMPARE(previews.count(), changes);
}

void TestWallpaper::previewsSayWhyThereIsNone_data()
{
    // How the picture is made: "png" or "jpeg" of `size`, "not a picture", "missing".
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("problem"); // "": a preview is shown
    // The reader's limit is lowered to 1 MB here, so 2000×1000 stands for a 30000×30000 picture
    // against the real limit.
    QTest::newRow("PNG within the limit") << "png" << QSize(400, 300) << "";
    // A grayscale PNG is decoded whole before it is scaled (a colour one is scaled line by line).
    QTest::newRow("grayscale PNG past the limit") << "gray png" << QSize(2000, 1000) << "too large";
    QTest::newRow("colour PNG past the limit") << "png" << QSize(2000, 1000) << "";
    // JPEG decodes at an eighth of its size when asked for a smaller one: under the limit.
    QTest::newRow("JPEG past the limit") << "jpeg" << QSize(2000, 1000) << "";
    QTest::newRow("not a picture") << "not a picture" << QSize() << "unreadable";
    QTest::newRow("missing") << "missing" << QSize() << "unreadable";
}

void TestWallpaper::previewsSayWhyThereIsNone()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    QFETCH(QString, problem);
    TestRoot root;
    QString picture = root.path() + "/picture";
    if (kind == "png") {
        picture = writePicture(picture + ".png", size);
    } else if (kind == "gray png") {
        QImage image(size, QImage::Format_Grayscale8);
        image.fill(128);
        QVERIFY(image.save(picture + ".png", "PNG"));
        picture += ".png";
    } else if (kind == "jpeg") {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(picture + ".jpg", "JPEG"));
        picture += ".jpg";
    } else if (kind == "not a picture") {
        picture = writeNotAPicture(picture + ".png");
    }
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    const auto restore = qScopeGuard([limit] { QImageReader::setAllocationLimit(limit); });

    WallpaperViewModel model(root.platform());
    model.setPreviewPixelSize(QSize(200, 100));
    model.load();
    QTRY_VERIFY(model.pendingPreviews().isEmpty());
    QSignalSpy problems(&model, &WallpaperViewModel::previewProblemsChanged);
    model.setImagePath(picture);
    QTRY_VERIFY(model.pendingPreviews().isEmpty());
    const auto found = model.previewProblems().constFind(1);
    using Problem = WallpaperViewModel::PreviewProblem;
    if (problem.isEmpty()) {
        QVERIFY(found == model.previewProblems().cend());
        QVERIFY(model.previews().contains(1));
        QVERIFY(model.previews().value(1).width() <= 400);
        return;
    }
    QVERIFY(!model.previews().contains(1));
    QVERIFY(found != model.previewProblems().cend());
    QCOMPARE(*found, problem == "too large" ? Problem::tooLarge : Problem::unreadable);
    QCOMPARE(problems.count(), 1);
    // Another picture takes the problem away with the old preview.
    model.setImagePath(samplePicture(root, "Graphite.png"));
    QVERIFY(!model.previewProblems().contains(1));
    QTRY_VERIFY(model.previews().contains(1));
}

void TestWallpaper::modelDropsADecodeOfAPictureNoLongerChosen()
{
    // A picture that takes long to decode, then a small one: the first decode ends last and must
    // not replace the preview of the picture now chosen.
    TestRoot root;
    const QString slow = writePicture(root.path() + "/slow.png", QSize(4000, 3000), Qt::darkRed);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!WallpaperViewModel::decodePreview(slow).isNull());
    const qint64 slowDecode = clock.elapsed();
    WallpaperViewModel model(root.platform());
    model.load();
    QTRY_VERIFY(model.pendingPreviews().isEmpty());
    model.setImagePath(slow);
    model.setImagePath(samplePicture(root, "Graphite.png"));
    QTRY_VERIFY(model.pendingPreviews().isEmpty());
    QTest::qWait(int(2 * slowDecode + 200));
    QCOMPARE(model.previews().value(1).size(), QSize(480, 480));
    QCOMPARE(*model.currentConfig().imagePath, samplePicture(root, "Graphite.png"));
}

// ---- velmoractl ---------------------------------------------------------------------------------

void TestWallpaper::cliShow()
{
    TestRoot root;
    writeDisplays(root, QJsonArray{displayEntry("Built-in Retina Display", 1, 1512, 982),
                                   displayEntry("", -1, 1920, 1080, true)});
    QVERIFY(velmora::applyWallpaper(root.platform(), samplePicture(root, "Bloom.png"), Scaling::center, false,
                                    QList<velmora::Display>{root.platform().displays().displays().at(0)}));
    const ProgramRun json = runVelmoractl(root, {"wallpaper", "show", "--json"});
    QCOMPARE(json.exitCode, 0);
    const QJsonArray array = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(array.size(), 2);
    QCOMPARE(array[0].toObject(), (QJsonObject{{"displayID", 1},
                                               {"name", "Built-in Retina Display"},
                                               {"width", 1512},
                                               {"height", 982},
                                               {"main", false},
                                               {"imagePath", samplePicture(root, "Bloom.png")},
                                               {"scaling", "center"},
                                               {"allowClipping", false}}));
    const QJsonObject second = array[1].toObject();
    QCOMPARE(second.value("displayID"), QJsonValue(0));
    QCOMPARE(second.value("main"), QJsonValue(true));
    QVERIFY(second.value("imagePath").isNull());
    QVERIFY(second.contains("scaling") && second.contains("allowClipping"));

    const ProgramRun text = runVelmoractl(root, {"wallpaper", "show"});
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out.contains("Built-in Retina Display  1512×982"));
    QVERIFY(text.out.contains("Display 2  1920×1080  (main)"));
    QVERIFY(text.out.contains("picture: " + samplePicture(root, "Bloom.png")));
    QVERIFY(text.out.contains("scaling: center, no clipping"));
    QVERIFY(text.out.contains("picture: (none)"));
}

void TestWallpaper::cliSet_data()
{
    QTest::addColumn<QStringList>("args"); // after "wallpaper set"; "%1" the root
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");     // part of stdout on success, of stderr otherwise
    QTest::addColumn<QStringList>("changed"); // "key=path|code|clip"

    const QString graphite = "%1/Library/Desktop Pictures/Graphite.png";
    const QString mine = "%1/Users/user/Pictures/mine.png";
    dataRow("every display", QStringList{graphite}, 0, "on 2 displays (fill, clipping allowed)",
            QStringList{"1=" + graphite + "|3|true", "2=" + graphite + "|3|true"});
    dataRow("one display, options",
            QStringList{graphite, "--display", "2", "--scaling", "fit", "--no-clipping"}, 0,
            "on 1 display (fit, no clipping)", QStringList{"2=" + graphite + "|0|false"});
    dataRow("options with =", QStringList{"--scaling=center", graphite, "--display=1"}, 0,
            "on 1 display (center", QStringList{"1=" + graphite + "|2|true"});
    dataRow("~ in the argument", QStringList{"~/Pictures/mine.png"}, 0, "/Users/user/Pictures/mine.png",
            QStringList{"1=" + mine + "|3|true", "2=" + mine + "|3|true"});
    dataRow("no such display", QStringList{graphite, "--display", "9"}, 1, "no display has the number 9",
            QStringList());
    dataRow("missing file", QStringList{"%1/gone.png"}, 1, "Wallpaper image not found at: %1/gone.png",
            QStringList());
    dataRow("not a picture", QStringList{"%1/Users/user/notes.png"}, 1, "isn’t in the correct format",
            QStringList());
    dataRow("unknown scaling", QStringList{graphite, "--scaling", "tile"}, 2,
            "\"tile\" is not a scaling mode", QStringList());
    dataRow("bad display number", QStringList{graphite, "--display", "two"}, 2, "not a display number",
            QStringList());
    // Command lines that are no command at all are tst_cli's, for every verb alike.
}

void TestWallpaper::cliSet()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QStringList, changed);
    TestRoot root;
    writePicture(root.root().home() + "/Pictures/mine.png");
    writeNotAPicture(root.root().home() + "/notes.png");
    const QJsonObject before = recordedPictures(root);
    for (QString &arg : args)
        arg.replace("%1", root.path());
    const ProgramRun run = runVelmoractl(root, QStringList{"wallpaper", "set"} + args);
    QCOMPARE(run.exitCode, exitCode);
    message.replace("%1", root.path());
    QVERIFY2((exitCode == 0 ? run.out : run.err).contains(message), qPrintable(run.out + run.err));
    compareRecorded(root, before, changed);
}

void TestWallpaper::cliSetStoresRelativePathsWhole_data()
{
    QTest::addColumn<QString>("folder"); // where velmoractl runs, under the home folder
    QTest::addColumn<QString>("image");
    dataRow("a name", QString("Pictures"), QString("mine.png"));
    dataRow("with ./", QString("Pictures"), QString("./mine.png"));
    dataRow("with ../", QString("Desktop"), QString("../Pictures/mine.png"));
}

void TestWallpaper::cliSetStoresRelativePathsWhole()
{
    QFETCH(QString, folder);
    QFETCH(QString, image);
    TestRoot root;
    const QString picture = writePicture(root.root().home() + "/Pictures/mine.png");
    const QString here = root.root().home() + "/" + folder;
    QVERIFY(QDir().mkpath(here));
    const ProgramRun run =
        runProgram(QStringLiteral(VELMORA_BIN_DIR "/velmoractl"),
                   {"--simulated-root", root.path(), "wallpaper", "set", image, "--display", "1"}, QString(),
                   QByteArray(), here);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith("Set " + picture + " on 1 display"), qPrintable(run.out + run.err));
    // Stored whole: the picture is still found by a program started anywhere else.
    QCOMPARE(recordedPicture(root, "1").value("path").toString(), picture);
    QCOMPARE(*root.platform().displays().desktopImagePath(root.platform().displays().displays().first()),
             picture);
}

void TestWallpaper::cliWarnsOnceAboutDamagedDisplays()
{
    TestRoot root;
    QFile broken(root.path() + "/.simulated/displays.json");
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("[{\"name\": ");
    broken.close();
    // "show" asks for the displays, the main one and each picture: the damage is still one warning.
    for (const QStringList &args :
         {QStringList{"wallpaper", "show"}, QStringList{"wallpaper", "show", "--json"}}) {
        const ProgramRun run = runVelmoractl(root, args);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.count("is not a JSON array of displays"), 1);
        QVERIFY(run.out.contains("Built-in Retina Display")); // the default displays stand in
    }
}

QTEST_GUILESS_MAIN(TestWallpaper)
#include "tst_wallpaper.moc"
