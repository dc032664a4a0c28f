// The Dock's tiles, its preference, the "dock.apps" tweak, the scan of installed applications and
// the editor's model, against a simulated Mac with the real stand-in tools.

#include "dock/DockAppsTweakHandler.h"
#include "dock/DockAppsViewModel.h"
#include "dock/DockPreferences.h"
#include "dock/DockProfilePayload.h"
#include "dock/DockTiles.h"
#include "dock/InstalledApps.h"
#include "engine/TweakEngine.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

using OptText = std::optional<QString>;
using OptInt = std::optional<qint64>;
Q_DECLARE_METATYPE(OptText)
Q_DECLARE_METATYPE(OptInt)
Q_DECLARE_METATYPE(velmora::DockItemType)
Q_DECLARE_METATYPE(velmora::TweakValue)

namespace {

const QString kDock = QStringLiteral("com.apple.dock");

QVariantMap fileData(const QString &url)
{
    return QVariantMap{{"_CFURLString", url}, {"_CFURLStringType", qint64(15)}};
}

QVariantMap tile(const QString &type, const QVariant &data)
{
    QVariantMap t{{"tile-type", type}};
    if (data.isValid())
        t.insert("tile-data", data);
    return t;
}

QVariantMap appTile(const QString &url, const QString &label, const QString &identifier = QString())
{
    QVariantMap data{{"file-data", fileData(url)},
                     {"file-label", label},
                     {"file-type", qint64(41)},
                     {"dock-extra", false}};
    if (!identifier.isEmpty())
        data.insert("bundle-identifier", identifier);
    return QVariantMap{{"GUID", qint64(1234567890)}, {"tile-type", "file-tile"}, {"tile-data", data}};
}

QVariantMap spacerTile(const QString &type = QStringLiteral("spacer-tile"))
{
    return tile(type, QVariantMap{{"file-label", ""}});
}

QVariantMap withoutGUID(QVariantMap t)
{
    t.remove("GUID");
    return t;
}

QVariantList withoutGUIDs(const QVariant &tiles)
{
    QVariantList list;
    for (const QVariant &t : tiles.toList())
        list.append(withoutGUID(t.toMap()));
    return list;
}

QVariantMap tileData(const QVariant &t)
{
    return t.toMap().value("tile-data").toMap();
}

DockAppEntry appEntry(const QString &url, const QString &label, OptText identifier = std::nullopt)
{
    DockAppEntry e;
    e.url = QUrl(url);
    e.label = label;
    e.bundleIdentifier = identifier;
    return e;
}

QString file(const QString &path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

/// Writes a domain's plist in the given format, as another program could have.
bool writeDockFile(const TestRoot &root, const QVariant &dock, PropertyList::Format format)
{
    const QString path = *root.root().domainFile(kDock);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && PropertyList::writeFile(path, dock, format).ok();
}

/// A bundle folder, with an Info.plist in `format` unless `info` is empty.
void makeBundle(const QString &path, const QVariantMap &info = {},
                PropertyList::Format format = PropertyList::Format::xml)
{
    QDir().mkpath(path + "/Contents/MacOS");
    if (!info.isEmpty())
        QVERIFY(PropertyList::writeFile(path + "/Contents/Info.plist", info, format));
}

QStringList names(const QList<InstalledApp> &apps)
{
    QStringList list;
    for (const InstalledApp &app : apps)
        list << app.name;
    return list;
}

QStringList labels(const QList<DockAppEntry> &apps)
{
    QStringList list;
    for (const DockAppEntry &app : apps)
        list << app.label;
    return list;
}

QStringList labels(const QList<DockOtherEntry> &others)
{
    QStringList list;
    for (const DockOtherEntry &other : others)
        list << other.label;
    return list;
}

const Tweak &dockAppsTweak()
{
    static const Tweak t = *TweakRegistry::shared().tweak("dock.apps");
    return t;
}

int dockRestarts(const TestRoot &root)
{
    int n = 0;
    for (const QString &line : root.restartLog())
        n += line.endsWith("\tDock");
    return n;
}

/// A Dock shaped like the real ones: bookmarks and dates the entries do not model, a tile without
/// a GUID, spacers in both parts, labels in other scripts, keys nobody knows at both levels.
QVariantMap realisticDock(const QString &home)
{
    QVariantMap safari = appTile("file:///Applications/Safari.app/", "Safari", "com.apple.Safari");
    QVariantMap data = safari["tile-data"].toMap();
    data.insert("book", QByteArray("book\0\0\0\0mark", 12));
    data.insert("file-mod-date", qint64(3786123456));
    data.insert("parent-mod-date", qint64(3786123000));
    data.insert("is-beta", false);
    data.insert("some-future-key", QVariantList{1, "two"});
    safari["tile-data"] = data;
    safari.insert("tile-level-key", "kept");

    QVariantMap settings = appTile("file:///System/Applications/System%20Settings.app/", "Réglages Système",
                                   "com.apple.systempreferences");
    settings.remove("GUID");
    const QVariantMap maps = appTile("file:///System/Applications/Maps.app/", "地图", "com.apple.Maps");

    QVariantMap downloads =
        tile("directory-tile", QVariantMap{{"arrangement", qint64(2)},
                                           {"book", QByteArray("bm")},
                                           {"displayas", qint64(0)},
                                           {"file-data", fileData(file(home + "/Téléchargements/"))},
                                           {"file-label", "Téléchargements"},
                                           {"file-type", qint64(2)},
                                           {"preferreditemsize", qint64(-1)},
                                           {"showas", qint64(1)}});
    downloads.insert("GUID", qint64(2222222222));
    const QVariantMap link =
        tile("url-tile",
             QVariantMap{{"file-data", fileData("https://example.org/docs/")}, {"file-label", "Docs"}});
    return QVariantMap{
        {"persistent-apps",
         QVariantList{spacerTile(), safari, settings, spacerTile("small-spacer-tile"), maps, spacerTile()}},
        {"persistent-others", QVariantList{downloads, spacerTile("small-spacer-tile"), link, spacerTile()}},
        {"tilesize", qint64(48)},
    };
}

/// What a write of the realistic Dock's own entries must produce: the same tiles, with the keys
/// the format fixes written anew.
QVariantList expectedAfterRoundTrip(const QVariantList &tiles, bool appsPart)
{
    QVariantList expected;
    for (const QVariant &t : tiles) {
        QVariantMap map = withoutGUID(t.toMap());
        const QString type = map.value("tile-type").toString();
        QVariantMap data = map.value("tile-data").toMap();
        if (appsPart && type == "file-tile") {
            data["dock-extra"] = qint64(0);
            data["file-type"] = qint64(41);
        }
        map["tile-data"] = data;
        expected.append(map);
    }
    return expected;
}



} // namespace

class TestDock : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    // Tiles
    void parseAppTile_data();
    void parseAppTile();
    void parseOtherTile_data();
    void parseOtherTile();
    void makeTiles_data();
    void makeTiles();
    void writtenTilesKeepWhatEntriesDoNotModel();
    void readingNeverFails_data();
    void readingNeverFails();

    // Nothing lost
    void spacersAmongAppsStayAnchored_data();
    void spacersAmongAppsStayAnchored();
    void applyingWhatWasReadChangesOnlyTheFixedKeys_data();
    void applyingWhatWasReadChangesOnlyTheFixedKeys();
    void realDocksSurviveARoundTrip();

    // The "dock.apps" tweak
    void payloadJson_data();
    void payloadJson();
    void payloadJsonForm();
    void handlerApply_data();
    void handlerApply();
    void handlerReportsAFailedRestartAndAnUnwritableDock();
    void valuesEquivalent_data();
    void valuesEquivalent();
    void engineReadsResetsAndKeepsAnUnchangedDockQuiet();

    // Installed applications
    void scanFindsBundlesDirectlyInTheFolders();
    void scanNamesBundles_data();
    void scanNamesBundles();
    void scanSkipsDuplicatesByStandardizedURL();
    void scanSortIsCaseInsensitiveAndStable_data();
    void scanSortIsCaseInsensitiveAndStable();

    // The editor's model
    void loadReadsTheDockThenScans();
    void availableApps_data();
    void availableApps();
    void moveApps_data();
    void moveApps();
    void editsMarkDirtyAndAnnounceOnlyChanges();
    void revertAndApply();
    void applyFailures_data();
    void applyFailures();
    void editsMadeWhileApplyingStayPending();
    void editorRoundTripKeepsEveryTile();

    // velmoractl
    void cliShowAndApply();
    void cliRefusesWhatIsNoDock_data();
    void cliRefusesWhatIsNoDock();
};

void TestDock::initTestCase()
{
    qRegisterMetaType<DockItemType>();
}

// ---- Tiles ---------------------------------------------------------------------------------------

void TestDock::parseAppTile_data()
{
    QTest::addColumn<QVariantMap>("tile");
    QTest::addColumn<OptText>("url"); // nothing: no entry
    QTest::addColumn<QString>("label");
    QTest::addColumn<OptText>("identifier");

    const QString safari = "file:///Applications/Safari.app/";
    auto data = [](const QVariantMap &d) { return tile("file-tile", d); };
    QTest::newRow("empty tile") << QVariantMap() << OptText() << "" << OptText();
    QTest::newRow("no tile-data") << QVariantMap{{"tile-type", "file-tile"}} << OptText() << "" << OptText();
    QTest::newRow("tile-data is text") << tile("file-tile", "x") << OptText() << "" << OptText();
    QTest::newRow("spacer among apps") << spacerTile() << OptText() << "" << OptText();
    QTest::newRow("empty tile-data") << data({}) << OptText() << "" << OptText();
    QTest::newRow("no file-data") << data({{"file-label", "Safari"}}) << OptText() << "" << OptText();
    QTest::newRow("file-data is an array")
        << data({{"file-data", QVariantList{safari}}}) << OptText() << "" << OptText();
    QTest::newRow("empty file-data") << data({{"file-data", QVariantMap()}}) << OptText() << "" << OptText();
    QTest::newRow("URL not text") << data({{"file-data", QVariantMap{{"_CFURLString", qint64(5)}}}})
                                  << OptText() << "" << OptText();
    QTest::newRow("space in URL") << data({{"file-data", fileData("file:///Applications/App Store.app/")}})
                                  << OptText() << "" << OptText();
    QTest::newRow("label from URL") << data({{"file-data", fileData(safari)}}) << OptText(safari) << "Safari"
                                    << OptText();
    QTest::newRow("label from encoded URL")
        << data({{"file-data", fileData("file:///Applications/App%20Store.app/")}})
        << OptText("file:///Applications/App%20Store.app/") << "App Store" << OptText();
    QTest::newRow("label not text") << data({{"file-data", fileData(safari)}, {"file-label", qint64(3)}})
                                    << OptText(safari) << "Safari" << OptText();
    QTest::newRow("empty label kept")
        << data({{"file-data", fileData(safari)}, {"file-label", ""}}) << OptText(safari) << "" << OptText();
    QTest::newRow("identifier") << data({{"file-data", fileData(safari)},
                                         {"file-label", "Safari"},
                                         {"bundle-identifier", "com.apple.Safari"}})
                                << OptText(safari) << "Safari" << OptText("com.apple.Safari");
    QTest::newRow("identifier not text")
        << data({{"file-data", fileData(safari)}, {"bundle-identifier", true}}) << OptText(safari) << "Safari"
        << OptText();
    QTest::newRow("empty identifier kept")
        << data({{"file-data", fileData(safari)}, {"bundle-identifier", ""}}) << OptText(safari) << "Safari"
        << OptText("");
    QTest::newRow("tile type not looked at")
        << tile("directory-tile", QVariantMap{{"file-data", fileData(safari)}}) << OptText(safari) << "Safari"
        << OptText();
    // Not a URL as written; percent-decoded it is one.
    QTest::newRow("decoded when only that parses")
        << data({{"file-data", fileData("http://ex%61mple.com/Tool.app/")}})
        << OptText("http://example.com/Tool.app/") << "Tool" << OptText();
    QTest::newRow("undecodable stays unreadable")
        << data({{"file-data", fileData("file:///Apps/100%.app/")}}) << OptText() << "" << OptText();
    QTest::newRow("non-ASCII path") << data({{"file-data", fileData("file:///Applications/Übersicht.app/")}})
                                    << OptText("file:///Applications/%C3%9Cbersicht.app/") << "Übersicht"
                                    << OptText();
}

void TestDock::parseAppTile()
{
    QFETCH(QVariantMap, tile);
    QFETCH(OptText, url);
    QFETCH(QString, label);
    QFETCH(OptText, identifier);
    const std::optional<DockAppEntry> entry = velmora::parseAppTile(tile);
    QCOMPARE(entry.has_value(), url.has_value());
    if (!entry)
        return;
    QCOMPARE(entry->urlText(), *url);
    QCOMPARE(entry->label, label);
    QCOMPARE(entry->bundleIdentifier, identifier);
}

void TestDock::parseOtherTile_data()
{
    QTest::addColumn<QVariantMap>("tile");
    QTest::addColumn<bool>("yields");
    QTest::addColumn<DockItemType>("type");
    QTest::addColumn<OptText>("url");
    QTest::addColumn<QString>("label");
    QTest::addColumn<OptInt>("displayAs");
    QTest::addColumn<OptInt>("arrangement");

    const QString downloads = "file:///Users/me/Downloads/";
    const QVariantMap withURL{{"file-data", fileData(downloads)}};
    QTest::newRow("spacer ignores its data")
        << tile("spacer-tile", QVariantMap{{"file-data", fileData(downloads)}, {"file-label", "x"}}) << true
        << DockItemType::spacer << OptText() << "Spacer" << OptInt() << OptInt();
    QTest::newRow("spacer without data") << tile("spacer-tile", QVariant()) << true << DockItemType::spacer
                                         << OptText() << "Spacer" << OptInt() << OptInt();
    QTest::newRow("small spacer") << spacerTile("small-spacer-tile") << true << DockItemType::smallSpacer
                                  << OptText() << "Small Spacer" << OptInt() << OptInt();
    QTest::newRow("folder") << tile("directory-tile", QVariantMap{{"file-data", fileData(downloads)},
                                                                  {"file-label", "Downloads"},
                                                                  {"displayas", qint64(1)},
                                                                  {"arrangement", qint64(2)}})
                            << true << DockItemType::folder << OptText(downloads) << "Downloads" << OptInt(1)
                            << OptInt(2);
    QTest::newRow("file tile is a folder") << tile("file-tile", withURL) << true << DockItemType::folder
                                           << OptText(downloads) << "Downloads" << OptInt() << OptInt();
    QTest::newRow("document label drops extension")
        << tile("file-tile", QVariantMap{{"file-data", fileData("file:///Users/me/Report.final.pdf")}})
        << true << DockItemType::folder << OptText("file:///Users/me/Report.final.pdf") << "Report.final"
        << OptInt() << OptInt();
    QTest::newRow("unknown type is a folder") << tile("weird-tile", withURL) << true << DockItemType::folder
                                              << OptText(downloads) << "Downloads" << OptInt() << OptInt();
    QTest::newRow("type not text") << QVariantMap{{"tile-type", qint64(3)}, {"tile-data", withURL}} << true
                                   << DockItemType::folder << OptText(downloads) << "Downloads" << OptInt()
                                   << OptInt();
    QTest::newRow("no tile-data dropped") << tile("directory-tile", QVariant()) << false
                                          << DockItemType::folder << OptText() << "" << OptInt() << OptInt();
    QTest::newRow("tile-data not a dictionary")
        << tile("url-tile", QVariantList()) << false << DockItemType::url << OptText() << "" << OptInt()
        << OptInt();
    QTest::newRow("empty tile-data") << tile("directory-tile", QVariantMap()) << true << DockItemType::folder
                                     << OptText() << "Unknown" << OptInt() << OptInt();
    QTest::newRow("link") << tile("url-tile",
                                  QVariantMap{{"file-data", fileData("https://example.org/a%20b")},
                                              {"file-label", "Example"}})
                          << true << DockItemType::url << OptText("https://example.org/a%20b") << "Example"
                          << OptInt() << OptInt();
    QTest::newRow("link without label")
        << tile("url-tile", QVariantMap{{"file-data", fileData("https://example.org/a%20b")}}) << true
        << DockItemType::url << OptText("https://example.org/a%20b") << "a b" << OptInt() << OptInt();
    QTest::newRow("bad URL kept as a tile")
        << tile("directory-tile", QVariantMap{{"file-data", fileData("a b")}}) << true << DockItemType::folder
        << OptText() << "Unknown" << OptInt() << OptInt();
    QTest::newRow("display as text") << tile("directory-tile", QVariantMap{{"file-data", fileData(downloads)},
                                                                           {"displayas", "2"},
                                                                           {"arrangement", 1.0}})
                                     << true << DockItemType::folder << OptText(downloads) << "Downloads"
                                     << OptInt() << OptInt();
    QTest::newRow("display as a boolean")
        << tile("directory-tile", QVariantMap{{"displayas", true}}) << true << DockItemType::folder
        << OptText() << "Unknown" << OptInt() << OptInt();
}

void TestDock::parseOtherTile()
{
    QFETCH(QVariantMap, tile);
    QFETCH(bool, yields);
    const std::optional<DockOtherEntry> entry = velmora::parseOtherTile(tile);
    QCOMPARE(entry.has_value(), yields);
    if (!entry)
        return;
    QFETCH(DockItemType, type);
    QFETCH(OptText, url);
    QFETCH(QString, label);
    QFETCH(OptInt, displayAs);
    QFETCH(OptInt, arrangement);
    QCOMPARE(entry->itemType, type);
    QCOMPARE(entry->url.has_value(), url.has_value());
    if (url)
        QCOMPARE(entry->urlText(), *url);
    QCOMPARE(entry->label, label);
    QCOMPARE(entry->displayAs, displayAs);
    QCOMPARE(entry->arrangement, arrangement);
    QVERIFY(!entry->entryID.isNull());
    QVERIFY(velmora::parseOtherTile(tile)->entryID != entry->entryID); // a new identity on every read
}

void TestDock::makeTiles_data()
{
    QTest::addColumn<QVariantMap>("written");
    QTest::addColumn<QVariantMap>("expected"); // without the GUID

    const QString safari = "file:///Applications/Safari.app/";
    const QString downloads = "file:///Users/me/Downloads/";
    QTest::newRow("app") << makeAppTile(appEntry(safari, "Safari", OptText("com.apple.Safari")))
                         << QVariantMap{
                                {"tile-type", "file-tile"},
                                {"tile-data", QVariantMap{{"dock-extra", qint64(0)},
                                                          {"file-data", fileData(safari)},
                                                          {"file-label", "Safari"},
                                                          {"file-type", qint64(41)},
                                                          {"bundle-identifier", "com.apple.Safari"}}}};
    const QVariantMap bare{{"tile-type", "file-tile"},
                           {"tile-data", QVariantMap{{"dock-extra", qint64(0)},
                                                     {"file-data", fileData(safari)},
                                                     {"file-label", "Safari"},
                                                     {"file-type", qint64(41)}}}};
    QTest::newRow("app, empty identifier") << makeAppTile(appEntry(safari, "Safari", OptText(""))) << bare;
    QTest::newRow("app, no identifier") << makeAppTile(appEntry(safari, "Safari")) << bare;

    const auto folder = DockOtherEntry::make(QUrl(downloads), "Downloads", DockItemType::folder, 2, 1);
    QTest::newRow("folder") << makeOtherTile(folder)
                            << QVariantMap{{"tile-type", "directory-tile"},
                                           {"tile-data", QVariantMap{{"file-label", "Downloads"},
                                                                     {"file-data", fileData(downloads)},
                                                                     {"displayas", qint64(2)},
                                                                     {"arrangement", qint64(1)},
                                                                     {"file-type", qint64(2)}}}};
    DockOtherEntry link = folder;
    link.itemType = DockItemType::url;
    QTest::newRow("same entry as a link")
        << makeOtherTile(link)
        << QVariantMap{{"tile-type", "url-tile"},
                       {"tile-data", QVariantMap{{"file-label", "Downloads"},
                                                 {"file-data", fileData(downloads)},
                                                 {"displayas", qint64(2)},
                                                 {"arrangement", qint64(1)}}}};
    DockOtherEntry app = DockOtherEntry::make(QUrl(safari), "Safari", DockItemType::app);
    QTest::newRow("app among the others")
        << makeOtherTile(app)
        << QVariantMap{{"tile-type", "directory-tile"},
                       {"tile-data", QVariantMap{{"file-label", "Safari"}, {"file-data", fileData(safari)}}}};
    QTest::newRow("folder without URL")
        << makeOtherTile(DockOtherEntry::make(std::nullopt, "Unknown", DockItemType::folder))
        << QVariantMap{{"tile-type", "directory-tile"},
                       {"tile-data", QVariantMap{{"file-label", "Unknown"}, {"file-type", qint64(2)}}}};
    QTest::newRow("spacer") << makeOtherTile(DockOtherEntry::spacer(false))
                            << QVariantMap{{"tile-type", "spacer-tile"}, {"tile-data", QVariantMap()}};
    QTest::newRow("small spacer") << makeOtherTile(DockOtherEntry::spacer(true))
                                  << QVariantMap{{"tile-type", "small-spacer-tile"},
                                                 {"tile-data", QVariantMap()}};
}

void TestDock::makeTiles()
{
    QFETCH(QVariantMap, written);
    QFETCH(QVariantMap, expected);
    const QVariant guid = written.value("GUID");
    QCOMPARE(guid.typeId(), QMetaType::LongLong);
    QVERIFY(guid.toLongLong() >= 1000000000 && guid.toLongLong() <= 9999999999);
    QCOMPARE(withoutGUID(written), expected);
}

void TestDock::writtenTilesKeepWhatEntriesDoNotModel()
{
    // An application tile with keys the entry does not model, at both levels, and fixed keys whose
    // values differ from the format's.
    QVariantMap source = appTile("file:///Applications/Safari.app/", "Safari", "com.apple.Safari");
    QVariantMap data = source["tile-data"].toMap();
    data.insert("book", QByteArray("bookmark"));
    data.insert("file-type", qint64(1));
    data.insert("file-data", QVariantMap{{"_CFURLString", "file:///Applications/Safari.app/"},
                                         {"_CFURLStringType", qint64(15)},
                                         {"extra", "dropped: the format gives file-data two keys"}});
    source["tile-data"] = data;
    source.insert("tile-level", qint64(7));

    DockAppEntry entry = *velmora::parseAppTile(source);
    entry.label = "Web";
    entry.bundleIdentifier = QString(); // a fixed key whose condition fails is left out
    const QVariantMap written = makeAppTile(entry);
    QCOMPARE(written.value("tile-level"), QVariant(qint64(7)));
    QVERIFY(written.value("GUID") != source.value("GUID"));
    const QVariantMap writtenData = tileData(written);
    QCOMPARE(writtenData.value("book"), QVariant(QByteArray("bookmark")));
    QCOMPARE(writtenData.value("file-label"), QVariant("Web"));
    QCOMPARE(writtenData.value("file-type"), QVariant(qint64(41)));
    QCOMPARE(writtenData.value("dock-extra"), QVariant(qint64(0)));
    QCOMPARE(writtenData.value("file-data"), QVariant(fileData("file:///Applications/Safari.app/")));
    QVERIFY(!writtenData.contains("bundle-identifier"));

    // A folder whose display mode cannot be read loses the key; one that became a link its file type.
    QVariantMap folderTile = tile("directory-tile", QVariantMap{{"file-data", fileData("file:///x/")},
                                                                {"displayas", "odd"},
                                                                {"showas", qint64(1)},
                                                                {"file-type", qint64(2)}});
    DockOtherEntry other = *velmora::parseOtherTile(folderTile);
    other.itemType = DockItemType::url;
    const QVariantMap otherData = tileData(makeOtherTile(other));
    QCOMPARE(otherData.value("showas"), QVariant(qint64(1)));
    QVERIFY(!otherData.contains("displayas"));
    QVERIFY(!otherData.contains("file-type"));

    // Two writes of the same list differ in their GUIDs alone.
    const QList<DockAppEntry> apps{entry, appEntry("file:///Applications/Mail.app/", "Mail")};
    const QVariantList first = DockPreferences::appTiles(apps, QVariant());
    const QVariantList second = DockPreferences::appTiles(apps, QVariant());
    QVERIFY(first != second);
    QCOMPARE(withoutGUIDs(first), withoutGUIDs(second));
}

void TestDock::readingNeverFails_data()
{
    QTest::addColumn<QVariant>("apps");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("no value") << QVariant() << QStringList();
    QTest::newRow("a dictionary") << QVariant(QVariantMap{{"a", 1}}) << QStringList();
    QTest::newRow("array of texts") << QVariant(QVariantList{"a", "b"}) << QStringList();
    QTest::newRow("one element not a dictionary")
        << QVariant(QVariantList{appTile("file:///A.app/", "A"), "b"}) << QStringList();
    QTest::newRow("tiles without entries skipped")
        << QVariant(QVariantList{appTile("file:///A.app/", "A"), spacerTile(), QVariantMap(),
                                 appTile("file:///B.app/", "B")})
        << QStringList{"A", "B"};
}

void TestDock::readingNeverFails()
{
    QFETCH(QVariant, apps);
    QFETCH(QStringList, labels);
    TestRoot root(TestRoot::Seed::none);
    QVariantMap dock{{"tilesize", qint64(40)}};
    if (apps.isValid())
        dock.insert("persistent-apps", apps);
    root.writeDomain(kDock, dock);
    QCOMPARE(::labels(DockPreferences::readApps(root.platform())), labels);
    QVERIFY(DockPreferences::readOthers(root.platform()).isEmpty());
}

// ---- Nothing lost ----------------------------------------------------------------------------------

void TestDock::spacersAmongAppsStayAnchored_data()
{
    QTest::addColumn<QStringList>("present"); // "-" a spacer, "=" a small spacer, other texts apps
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("written");

    QTest::newRow("unchanged") << QStringList{"A", "-", "B", "C", "=", "D"} << QStringList{"A", "B", "C", "D"}
                               << QStringList{"A", "-", "B", "C", "=", "D"};
    QTest::newRow("reversed") << QStringList{"A", "-", "B", "C", "=", "D"} << QStringList{"D", "C", "B", "A"}
                              << QStringList{"D", "C", "=", "B", "A", "-"};
    QTest::newRow("anchor removed: to the end")
        << QStringList{"A", "-", "B"} << QStringList{"B"} << QStringList{"B", "-"};
    QTest::newRow("before every app: the start")
        << QStringList{"-", "A", "B"} << QStringList{"B", "A"} << QStringList{"-", "B", "A"};
    QTest::newRow("two after one app keep their order")
        << QStringList{"A", "-", "=", "B"} << QStringList{"B", "A", "C"}
        << QStringList{"B", "A", "-", "=", "C"};
    QTest::newRow("the same app twice")
        << QStringList{"A", "B", "A", "-"} << QStringList{"A", "B", "A"} << QStringList{"A", "B", "A", "-"};
    QTest::newRow("everything removed") << QStringList{"A", "-", "B"} << QStringList{} << QStringList{"-"};
    QTest::newRow("none there") << QStringList{"A", "B"} << QStringList{"B", "A", "C"}
                                << QStringList{"B", "A", "C"};
}

void TestDock::spacersAmongAppsStayAnchored()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, written);
    auto url = [](const QString &name) { return QStringLiteral("file:///Applications/%1.app/").arg(name); };
    QVariantList presentTiles;
    for (const QString &name : present) {
        if (name == "-" || name == "=")
            presentTiles.append(spacerTile(name == "-" ? "spacer-tile" : "small-spacer-tile"));
        else
            presentTiles.append(appTile(url(name), name));
    }
    QList<DockAppEntry> apps;
    for (const QString &name : entries)
        apps.append(appEntry(url(name), name)); // as decoded from a payload: no tile of their own
    QStringList result;
    for (const QVariant &t : DockPreferences::appTiles(apps, presentTiles)) {
        const QString type = t.toMap().value("tile-type").toString();
        result << (type == "spacer-tile"         ? "-"
                   : type == "small-spacer-tile" ? "="
                                                 : tileData(t)["file-label"].toString());
    }
    QCOMPARE(result, written);
}

void TestDock::applyingWhatWasReadChangesOnlyTheFixedKeys_data()
{
    QTest::addColumn<bool>("xml");
    QTest::newRow("binary") << false;
    QTest::newRow("XML") << true;
}

void TestDock::applyingWhatWasReadChangesOnlyTheFixedKeys()
{
    QFETCH(bool, xml);
    TestRoot root(TestRoot::Seed::none);
    const QVariantMap dock = realisticDock(root.root().home());
    QVERIFY(writeDockFile(root, dock, xml ? PropertyList::Format::xml : PropertyList::Format::binary));
    DockAppsTweakHandler handler;
    const Result<TweakValue> read = handler.currentValue(root.platform());
    QVERIFY(read);
    QVERIFY(await(handler.apply(root.platform(), *read)));

    const QVariantMap after = root.domain(kDock);
    QCOMPARE(withoutGUIDs(after["persistent-apps"]),
             expectedAfterRoundTrip(dock["persistent-apps"].toList(), true));
    // Others: the spacers were read as entries, so they come back with a GUID as every written tile.
    QCOMPARE(withoutGUIDs(after["persistent-others"]),
             expectedAfterRoundTrip(dock["persistent-others"].toList(), false));
    QCOMPARE(after.value("tilesize"), QVariant(qint64(48)));
    for (const QVariant &t : after["persistent-others"].toList())
        QVERIFY(t.toMap().contains("GUID"));
    QCOMPARE(dockRestarts(root), 2);
    // And what is read now is the same state.
    QVERIFY(handler.valuesEquivalent(*read, *handler.currentValue(root.platform())));
}

void TestDock::realDocksSurviveARoundTrip()
{
    const QDir real("/work/shared/fixtures/real");
    const QStringList files = real.entryList({"dock-*.plist"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QSKIP("the real Dock files are not on this machine");
    DockAppsTweakHandler handler;
    int checked = 0;
    for (const QString &name : files) {
        const Result<QVariant> original = PropertyList::readFile(real.filePath(name));
        if (!original || original->typeId() != QMetaType::QVariantMap)
            continue; // not a property list (a `defaults read` transcript)
        const QByteArray where = name.toUtf8();
        TestRoot root(TestRoot::Seed::none);
        QVERIFY2(writeDockFile(root, *original, PropertyList::Format::binary), where.constData());
        const Result<TweakValue> read = handler.currentValue(root.platform());
        QVERIFY2(await(handler.apply(root.platform(), *read)), where.constData());
        const QVariantMap before = original->toMap();
        const QVariantMap after = root.domain(kDock);
        for (const char *part : {"persistent-apps", "persistent-others"}) {
            const QVariantList was = before.value(part).toList();
            const QVariantList now = after.value(part).toList();
            QCOMPARE(now.size(), was.size());
            for (qsizetype i = 0; i < was.size(); ++i) {
                QVariantMap a = withoutGUID(was[i].toMap());
                QVariantMap b = withoutGUID(now[i].toMap());
                QVariantMap da = a.take("tile-data").toMap();
                QVariantMap db = b.take("tile-data").toMap();
                QCOMPARE(b, a); // tile-type and every other key of the tile
                // An application's "dock-extra" (a boolean, true for apps with a Dock extra) and
                // "file-type" (1 or 169 for some) are written with the fixed values 0 and 41.
                if (b.value("tile-type") == QVariant("file-tile")) {
                    QCOMPARE(db.take("dock-extra"), QVariant(qint64(0)));
                    QCOMPARE(db.take("file-type"), QVariant(qint64(41)));
                    da.remove("dock-extra");
                    da.remove("file-type");
                }
                QCOMPARE(db, da); // bookmarks, dates, labels, URLs, identifiers, display modes
            }
        }
        QVERIFY2(handler.valuesEquivalent(*read, *handler.currentValue(root.platform())), where.constData());
        ++checked;
    }
    QVERIFY(checked >= 5);
}

// ---- The "dock.apps" tweak -----------------------------------------------------------------------

void TestDock::payloadJson_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("payload");
    QTest::addColumn<bool>("array");

    const QByteArray app = R"({"url":"file:///Applications/Safari.app/","label":"Safari"})";
    const QByteArray other =
        R"({"entryID":"0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90","label":"Spacer","itemType":"spacer"})";
    QTest::newRow("full") << "{\"apps\":[" + app + "],\"others\":[" + other + "]}" << true << false;
    QTest::newRow("extra keys and white space")
        << "{ \"version\": 2, \"apps\": [ " + app + " ], \"others\": [] }" << true << false;
    QTest::newRow("lower-case entryID")
        << QByteArray(
               R"({"apps":[],"others":[{"entryID":"0f8b5e1c-7c9d-4e2a-9b1f-3a5d6c7e8f90","label":"S","itemType":"smallSpacer"}]})")
        << true << false;
    QTest::newRow("null optional")
        << QByteArray(
               R"({"apps":[{"url":"file:///A.app/","label":"A","bundleIdentifier":null}],"others":[]})")
        << true << false;
    QTest::newRow("whole number as 2.0")
        << QByteArray(
               R"({"apps":[],"others":[{"entryID":"0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90","label":"D","itemType":"folder","displayAs":2.0}]})")
        << true << false;
    QTest::newRow("fraction")
        << QByteArray(
               R"({"apps":[],"others":[{"entryID":"0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90","label":"D","itemType":"folder","displayAs":2.5}]})")
        << false << false;
    QTest::newRow("no others") << "{\"apps\":[" + app + "]}" << false << false;
    QTest::newRow("empty object") << QByteArray("{}") << false << false;
    QTest::newRow("empty text") << QByteArray() << false << false;
    QTest::newRow("older array form") << "[" + app + "]" << false << true;
    QTest::newRow("empty array") << QByteArray("[]") << false << true;
    QTest::newRow("missing entryID") << QByteArray(
                                            R"({"apps":[],"others":[{"label":"S","itemType":"spacer"}]})")
                                     << false << false;
    QTest::newRow("entryID no UUID")
        << QByteArray(R"({"apps":[],"others":[{"entryID":"nope","label":"S","itemType":"spacer"}]})") << false
        << false;
    QTest::newRow("unknown itemType")
        << QByteArray(
               R"({"apps":[],"others":[{"entryID":"0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90","label":"S","itemType":"widget"}]})")
        << false << false;
    QTest::newRow("URL with a space")
        << QByteArray(R"({"apps":[{"url":"file:///App Store.app/","label":"A"}],"others":[]})") << false
        << false;
    QTest::newRow("label a number") << QByteArray(
                                           R"({"apps":[{"url":"file:///A.app/","label":3}],"others":[]})")
                                    << false << false;
    QTest::newRow("array with a bad entry") << QByteArray(R"([{"url":"file:///A.app/"}])") << false << false;
    QTest::newRow("apps not an array") << QByteArray(R"({"apps":{},"others":[]})") << false << false;
}

void TestDock::payloadJson()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, payload);
    QFETCH(bool, array);
    const Result<DockProfilePayload> decoded = DockProfilePayload::fromJson(json);
    QCOMPARE(decoded.ok(), payload);
    QCOMPARE(DockProfilePayload::appsFromJsonArray(json).ok(), array);
    if (decoded) // what is read is written back the same way
        QCOMPARE(*DockProfilePayload::fromJson(decoded->toJson()), *decoded);
}

void TestDock::payloadJsonForm()
{
    DockProfilePayload payload;
    payload.apps = {appEntry("file:///Applications/Safari.app/", "Safari", OptText("com.apple.Safari")),
                    appEntry("file:///Applications/Caf%C3%A9.app/", "Café")};
    payload.others = {
        DockOtherEntry::make(QUrl("file:///Users/me/Downloads/"), "Downloads", DockItemType::folder, 2, 1),
        DockOtherEntry::spacer(true)};
    const QByteArray json = payload.toJson();
    QVERIFY(!json.contains(' ') || json.contains("Caf")); // compact
    QVERIFY(!json.contains("null"));
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    QCOMPARE(object.keys(), (QStringList{"apps", "others"}));
    const QJsonObject mail = object["apps"].toArray()[1].toObject();
    QCOMPARE(mail.keys(), (QStringList{"label", "url"})); // no identifier: no key
    QCOMPARE(mail["url"].toString(), QStringLiteral("file:///Applications/Caf%C3%A9.app/"));
    const QJsonObject spacer = object["others"].toArray()[1].toObject();
    QCOMPARE(spacer.keys(), (QStringList{"entryID", "itemType", "label"}));
    QCOMPARE(spacer["itemType"].toString(), QStringLiteral("smallSpacer"));
    const QString id = spacer["entryID"].toString();
    QCOMPARE(id.size(), 36);
    QCOMPARE(id, id.toUpper());
    const QJsonObject folder = object["others"].toArray()[0].toObject();
    QCOMPARE(folder["displayAs"].toInteger(), 2);
    QCOMPARE(folder["arrangement"].toInteger(), 1);
    QCOMPARE(*DockProfilePayload::fromJson(json), payload);
}

void TestDock::handlerApply_data()
{
    QTest::addColumn<TweakValue>("value");
    QTest::addColumn<QStringList>("apps"); // labels afterwards; the seeded Dock's when unchanged
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<int>("restarts");

    const QStringList seededApps{"Safari", "Mail", "Notes", "Music", "Slack", "System Settings"};
    const QStringList seededOthers{"Downloads", "Small Spacer", "Developer Documentation"};
    const QString app = R"({"url":"file:///Applications/Xcode.app/","label":"Xcode"})";
    QTest::newRow("not a string") << TweakValue::ofInt(3) << seededApps << seededOthers << 0;
    QTest::newRow("the default {}") << TweakValue::ofString("{}") << seededApps << seededOthers << 0;
    QTest::newRow("empty text") << TweakValue::ofString("") << seededApps << seededOthers << 0;
    QTest::newRow("not UTF-8 (lone surrogate)")
        << TweakValue::ofString(QString(QChar(0xD800)) + "[]") << seededApps << seededOthers << 0;
    QTest::newRow("array form: apps only")
        << TweakValue::ofString("[" + app + "]") << QStringList{"Xcode"} << seededOthers << 1;
    QTest::newRow("others emptied") << TweakValue::ofString("{\"apps\":[" + app + "],\"others\":[]}")
                                    << QStringList{"Xcode"} << QStringList() << 2;
    QTest::newRow("an app among the others")
        << TweakValue::ofString(
               R"({"apps":[],"others":[{"entryID":"0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90","url":"file:///Applications/Xcode.app/","label":"Xcode","itemType":"app"}]})")
        << QStringList() << QStringList{"Xcode"} << 2;
    QTest::newRow("entryID missing: nothing")
        << TweakValue::ofString(R"({"apps":[],"others":[{"label":"S","itemType":"spacer"}]})") << seededApps
        << seededOthers << 0;
}

void TestDock::handlerApply()
{
    QFETCH(TweakValue, value);
    QFETCH(QStringList, apps);
    QFETCH(QStringList, others);
    QFETCH(int, restarts);
    TestRoot root;
    const QVariantMap before = root.domain(kDock);
    DockAppsTweakHandler handler;
    QVERIFY(await(handler.apply(root.platform(), value)));
    QCOMPARE(labels(DockPreferences::readApps(root.platform())), apps);
    QCOMPARE(labels(DockPreferences::readOthers(root.platform())), others);
    QCOMPARE(dockRestarts(root), restarts);
    if (restarts == 0)
        QCOMPARE(root.domain(kDock), before);
    // An app sent among the others is written as a folder tile.
    if (others == QStringList{"Xcode"})
        QCOMPARE(root.domain(kDock)["persistent-others"].toList()[0].toMap()["tile-type"],
                 QVariant("directory-tile"));
}

void TestDock::handlerReportsAFailedRestartAndAnUnwritableDock()
{
    TestRoot root;
    DockAppsTweakHandler handler;
    const TweakValue value = TweakValue::ofString(
        R"({"apps":[{"url":"file:///Applications/Xcode.app/","label":"Xcode"}],"others":[]})");
    root.platform().setKillallToolPath(root.path() + "/no/killall");
    const Status failed = await(handler.apply(root.platform(), value));
    QVERIFY(!failed);
    QVERIFY2(failed.error().startsWith("Could not launch " + root.path() + "/no/killall Dock"),
             qPrintable(failed.error()));
    // The application part was written before the restart failed; the others part was not.
    QCOMPARE(labels(DockPreferences::readApps(root.platform())), QStringList{"Xcode"});
    QCOMPARE(DockPreferences::readOthers(root.platform()).size(), 3);

    // A damaged preference file is left alone, and the failure says so.
    TestRoot damaged;
    writeBytes(*damaged.root().domainFile(kDock), "bplist00 damaged");
    const Status unwritable = await(handler.apply(damaged.platform(), value));
    QVERIFY(!unwritable);
    QVERIFY(unwritable.error().startsWith("The Dock's preferences could not be written"));
    QCOMPARE(readAll(*damaged.root().domainFile(kDock)), QByteArray("bplist00 damaged"));
    QCOMPARE(dockRestarts(damaged), 0);
}

void TestDock::valuesEquivalent_data()
{
    QTest::addColumn<TweakValue>("a");
    QTest::addColumn<TweakValue>("b");
    QTest::addColumn<bool>("same");

    const QString app = R"({"url":"file:///A.app/","label":"A"})";
    auto payload = [&](const QString &id, const QString &label, const QString &order = "") {
        const QString other =
            QString::fromUtf8(R"({"entryID":"%1","label":"%2","itemType":"folder","url":"file:///D/"})")
                .arg(id, label);
        const QString spacer =
            QString::fromUtf8(R"({"entryID":"%1","label":"Spacer","itemType":"spacer"})").arg(id);
        return TweakValue::ofString("{\"apps\":[" + app + "],\"others\":[" +
                                    (order.isEmpty() ? other + "," + spacer : spacer + "," + other) + "]}");
    };
    const QString id1 = "0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90";
    const QString id2 = "A1B2C3D4-0000-4000-8000-123456789ABC";
    QTest::newRow("identities differ") << payload(id1, "D") << payload(id2, "D") << true;
    QTest::newRow("a label differs") << payload(id1, "D") << payload(id2, "E") << false;
    QTest::newRow("order differs") << payload(id1, "D") << payload(id1, "D", "swapped") << false;
    QTest::newRow("key order and white space")
        << TweakValue::ofString("{\"apps\":[" + app + "],\"others\":[]}")
        << TweakValue::ofString(
               "{ \"others\" : [ ], \"apps\" : [ {\"label\":\"A\", \"url\":\"file:///A.app/\"} ] }")
        << true;
    QTest::newRow("same text") << TweakValue::ofString("{}") << TweakValue::ofString("{}") << true;
    QTest::newRow("texts that are no payload")
        << TweakValue::ofString("{}") << TweakValue::ofString("{ }") << false;
    QTest::newRow("payload and default") << payload(id1, "D") << TweakValue::ofString("{}") << false;
    QTest::newRow("not strings") << TweakValue::ofInt(1) << TweakValue::ofString("1") << false;
}

void TestDock::valuesEquivalent()
{
    QFETCH(TweakValue, a);
    QFETCH(TweakValue, b);
    QFETCH(bool, same);
    const std::shared_ptr<const TweakHandler> handler = dockAppsTweak().handler;
    QVERIFY(handler);
    QCOMPARE(handler->valuesEquivalent(a, b), same);
    QCOMPARE(handler->valuesEquivalent(b, a), same);
}

void TestDock::engineReadsResetsAndKeepsAnUnchangedDockQuiet()
{
    TestRoot root;
    TweakEngine engine(TweakRegistry::shared(), root.platform());
    engine.refreshCategory("dockapps");
    const TweakValue first = engine.currentValues().value("dock.apps");
    QVERIFY(first.toString().startsWith("{\"apps\":[{"));

    // Reading an unchanged Dock again announces nothing, though the others get new identities.
    QSignalSpy changed(&engine, &TweakEngine::currentValuesChanged);
    engine.refreshCategory("dockapps", true);
    engine.refreshAll();
    engine.refreshAll();
    QCOMPARE(changed.count(), 1); // the first full refresh reads the other categories
    QCOMPARE(engine.currentValues().value("dock.apps"), first);

    // A reset leaves the Dock as it is and restarts it when asked.
    const QVariantMap before = root.domain(kDock);
    await(engine.reset(dockAppsTweak()));
    QVERIFY(!engine.lastError());
    QCOMPARE(root.domain(kDock), before);
    QVERIFY(engine.pendingRestarts().contains(RestartTarget::dock));

    // An empty Dock is two empty lists.
    TestRoot empty(TestRoot::Seed::none);
    const Result<TweakValue> none = dockAppsTweak().handler->currentValue(empty.platform());
    QCOMPARE(none->toString(), QString::fromUtf8(R"({"apps":[],"others":[]})"));
}

// ---- Installed applications ------------------------------------------------------------------------

void TestDock::scanFindsBundlesDirectlyInTheFolders()
{
    QTemporaryDir dir;
    const QString apps = dir.path() + "/Applications";
    makeBundle(apps + "/Safari.app",
               {{"CFBundleName", "Safari"}, {"CFBundleIdentifier", "com.apple.Safari"}});
    makeBundle(apps + "/Utilities/Terminal.app", {{"CFBundleName", "Terminal"}});
    makeBundle(apps + "/Vendor/Deep.app", {{"CFBundleName", "Deep"}}); // a level down: not found
    makeBundle(apps + "/Thing.APP", {{"CFBundleName", "Thing"}});      // not exactly "app"
    makeBundle(apps + "/.Hidden.app", {{"CFBundleName", "Hidden"}});
    makeBundle(apps + "/Bare.app"); // no information dictionary
    QFile plain(apps + "/Notes.txt");
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    // The home folder has no Applications folder: nothing fails.
    const QStringList folders{apps, apps + "/Utilities", dir.path() + "/System/Applications",
                              dir.path() + "/System/Applications/Utilities",
                              dir.path() + "/Users/me/Applications"};
    const QList<InstalledApp> found = InstalledApps::scan(folders);
    QCOMPARE(names(found), (QStringList{"Bare", "Safari", "Terminal"}));
    QCOMPARE(found[0].bundleIdentifier, OptText());
    QCOMPARE(found[1].bundleIdentifier, OptText("com.apple.Safari"));
    QCOMPARE(found[1].url, QUrl::fromLocalFile(apps + "/Safari.app/")); // a folder's URL ends in "/"
    QCOMPARE(found[1].path(), apps + "/Safari.app/");

    // The same scan in the background, and on the seeded Mac: 26 bundles in its five folders.
    QCOMPARE(await(InstalledApps::scanInBackground(folders)), found);
    TestRoot root;
    const QList<InstalledApp> seeded =
        await(InstalledApps::scanInBackground(InstalledApps::folders(root.platform().fileLocations())));
    QCOMPARE(seeded.size(), 26);
    QVERIFY(names(seeded).contains("Legacy Uploader"));
    QVERIFY(!names(seeded).contains("Artifact Hub"));
    QVERIFY(!names(seeded).contains("Archive Helper"));
}

void TestDock::scanNamesBundles_data()
{
    QTest::addColumn<QVariant>("info"); // invalid: no Info.plist; a QByteArray: raw file bytes
    QTest::addColumn<bool>("binary");
    QTest::addColumn<QString>("name");
    QTest::addColumn<OptText>("identifier");

    QTest::newRow("display name wins") << QVariant(QVariantMap{{"CFBundleDisplayName", "Maps"},
                                                               {"CFBundleName", "MapsApp"},
                                                               {"CFBundleIdentifier", "com.apple.Maps"}})
                                       << false << "Maps" << OptText("com.apple.Maps");
    QTest::newRow("bundle name") << QVariant(QVariantMap{{"CFBundleName", "MapsApp"}}) << true << "MapsApp"
                                 << OptText();
    QTest::newRow("empty display name taken")
        << QVariant(QVariantMap{{"CFBundleDisplayName", ""}, {"CFBundleName", "MapsApp"}}) << false << ""
        << OptText();
    QTest::newRow("display name not text")
        << QVariant(QVariantMap{{"CFBundleDisplayName", qint64(4)}, {"CFBundleName", "MapsApp"}}) << true
        << "MapsApp" << OptText();
    QTest::newRow("neither: the file name")
        << QVariant(QVariantMap{{"CFBundleIdentifier", "x.y"}}) << false << "Some Tool" << OptText("x.y");
    QTest::newRow("no Info.plist") << QVariant() << false << "Some Tool" << OptText();
    QTest::newRow("corrupt Info.plist")
        << QVariant(QByteArray("<plist><dict><key>")) << false << "Some Tool" << OptText();
    QTest::newRow("Info.plist not a dictionary")
        << QVariant(QVariantList{"a"}) << false << "Some Tool" << OptText();
}

void TestDock::scanNamesBundles()
{
    QFETCH(QVariant, info);
    QFETCH(bool, binary);
    QFETCH(QString, name);
    QFETCH(OptText, identifier);
    QTemporaryDir dir;
    const QString bundle = dir.path() + "/Some Tool.app";
    makeBundle(bundle);
    if (info.typeId() == QMetaType::QByteArray) {
        QFile f(bundle + "/Contents/Info.plist");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(info.toByteArray());
    } else if (info.isValid()) {
        QVERIFY(PropertyList::writeFile(bundle + "/Contents/Info.plist", info,
                                        binary ? PropertyList::Format::binary : PropertyList::Format::xml));
    }
    const QList<InstalledApp> found = InstalledApps::scan({dir.path()});
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].name, name);
    QCOMPARE(found[0].bundleIdentifier, identifier);
}

void TestDock::scanSkipsDuplicatesByStandardizedURL()
{
    QTemporaryDir dir;
    makeBundle(dir.path() + "/Applications/Safari.app", {{"CFBundleName", "Safari"}});
    makeBundle(dir.path() + "/Applications/Utilities/Terminal.app", {{"CFBundleName", "Terminal"}});
    QVERIFY(QFile::link(dir.path() + "/Applications/Safari.app",
                        dir.path() + "/Applications/Utilities/Safari.app"));
    const QString apps = dir.path() + "/Applications";
    // "Applications/Utilities/.." is "Applications" once standardized: its bundles are not listed
    // twice. The link is another path to the same bundle, so it is listed.
    const QList<InstalledApp> found =
        InstalledApps::scan({apps, apps + "/Utilities", apps + "/Utilities/..", apps + "/./Utilities"});
    QCOMPARE(names(found), (QStringList{"Safari", "Safari", "Terminal"}));
    QCOMPARE(found[0].url, QUrl::fromLocalFile(apps + "/Safari.app/"));
    QCOMPARE(found[1].url, QUrl::fromLocalFile(apps + "/Utilities/Safari.app/"));
}

void TestDock::scanSortIsCaseInsensitiveAndStable_data()
{
    QTest::addColumn<QStringList>("first");  // names in the first folder
    QTest::addColumn<QStringList>("second"); // in the second
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("Alpha found first")
        << QStringList{"beta", "Alpha"} << QStringList{"alpha"} << QStringList{"Alpha", "alpha", "beta"};
    QTest::newRow("alpha found first")
        << QStringList{"beta", "alpha"} << QStringList{"Alpha"} << QStringList{"alpha", "Alpha", "beta"};
    QTest::newRow("case does not count") << QStringList{"zeta", "Mail", "calendar"} << QStringList{"Books"}
                                         << QStringList{"Books", "calendar", "Mail", "zeta"};
}

void TestDock::scanSortIsCaseInsensitiveAndStable()
{
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QStringList, sorted);
    QTemporaryDir dir;
    int n = 0;
    // File names are unique and say nothing of the names, which come from the Info.plist.
    for (const QString &name : first)
        makeBundle(dir.path() + "/one/" + QString::number(n++) + ".app", {{"CFBundleName", name}});
    for (const QString &name : second)
        makeBundle(dir.path() + "/two/" + QString::number(n++) + ".app", {{"CFBundleName", name}});
    QCOMPARE(names(InstalledApps::scan({dir.path() + "/one", dir.path() + "/two"})), sorted);
}

// ---- The editor's model ------------------------------------------------------------------------------

void TestDock::loadReadsTheDockThenScans()
{
    TestRoot root;
    DockAppsViewModel model(root.platform());
    QSignalSpy loading(&model, &DockAppsViewModel::isLoadingChanged);
    QList<bool> seen;
    connect(&model, &DockAppsViewModel::isLoadingChanged, this, [&] {
        seen << model.isLoading();
        if (model.isLoading()) // the Dock is read before the scan starts
            QCOMPARE(model.currentApps().size(), 6);
    });
    await(model.load());
    QCOMPARE(seen, (QList<bool>{true, false}));
    QCOMPARE(labels(model.currentApps()),
             (QStringList{"Safari", "Mail", "Notes", "Music", "Slack", "System Settings"}));
    QCOMPARE(labels(model.currentOthers()),
             (QStringList{"Downloads", "Small Spacer", "Developer Documentation"}));
    QCOMPARE(model.installedApps().size(), 26);
    QCOMPARE(model.availableApps().size(), 20);
    QVERIFY(!model.isDirty());
    QVERIFY(!model.isLoading());
}

void TestDock::availableApps_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("available");
    QTest::newRow("blank") << "" << QStringList{"Calendar", "Maps", "Safari"};
    QTest::newRow("spaces and a line break") << " \n " << QStringList{"Calendar", "Maps", "Safari"};
    QTest::newRow("SAF") << "SAF" << QStringList{"Safari"};
    QTest::newRow("trimmed") << "  saf  " << QStringList{"Safari"};
    QTest::newRow("identifier is not searched") << "apple" << QStringList();
    QTest::newRow("path is not searched") << "Applications" << QStringList();
    QTest::newRow("inside a name") << "a" << QStringList{"Calendar", "Maps", "Safari"};
}

void TestDock::availableApps()
{
    QFETCH(QString, search);
    QFETCH(QStringList, available);
    TestRoot root(TestRoot::Seed::none);
    const QString apps = root.path() + "/Applications";
    makeBundle(apps + "/Safari.app",
               {{"CFBundleName", "Safari"}, {"CFBundleIdentifier", "com.apple.Safari"}});
    makeBundle(apps + "/Calendar.app",
               {{"CFBundleName", "Calendar"}, {"CFBundleIdentifier", "com.apple.iCal"}});
    makeBundle(apps + "/Maps.app", {{"CFBundleName", "Maps"}, {"CFBundleIdentifier", "com.apple.Maps"}});
    makeBundle(apps + "/Mail.app", {{"CFBundleName", "Mail"}});
    // Mail is in the Dock under a URL with an extra "." component: not offered.
    root.writeDomain(kDock,
                     {{"persistent-apps", QVariantList{appTile(file(apps + "/./Mail.app/"), "Mail")}}});
    DockAppsViewModel model(root.platform());
    await(model.load());
    model.setSearchText(search);
    QCOMPARE(names(model.availableApps()), available);
}

void TestDock::moveApps_data()
{
    QTest::addColumn<QList<int>>("sources");
    QTest::addColumn<int>("destination");
    QTest::addColumn<QString>("order");
    // Starting from ABCDE.
    QTest::newRow("first to end") << QList<int>{0} << 5 << "BCDEA";
    QTest::newRow("last to top") << QList<int>{4} << 0 << "EABCD";
    QTest::newRow("down one") << QList<int>{1} << 3 << "ACBDE";
    QTest::newRow("onto itself") << QList<int>{2} << 2 << "ABCDE";
    QTest::newRow("just below itself") << QList<int>{2} << 3 << "ABCDE";
    QTest::newRow("several keep their order") << QList<int>{3, 0} << 2 << "BADCE";
    QTest::newRow("several to the end") << QList<int>{1, 3} << 5 << "ACEBD";
    QTest::newRow("out of range ignored") << QList<int>{9} << 0 << "ABCDE";
    QTest::newRow("destination past the end") << QList<int>{0} << 99 << "BCDEA";
}

void TestDock::moveApps()
{
    QFETCH(QList<int>, sources);
    QFETCH(int, destination);
    QFETCH(QString, order);
    TestRoot root(TestRoot::Seed::none);
    QVariantList tiles;
    for (const QChar c : QStringLiteral("ABCDE"))
        tiles.append(appTile(QStringLiteral("file:///Applications/%1.app/").arg(c), QString(c)));
    QVariantList others;
    for (const QChar c : QStringLiteral("ABCDE"))
        others.append(tile("directory-tile", QVariantMap{{"file-label", QString(c)}}));
    root.writeDomain(kDock, {{"persistent-apps", tiles}, {"persistent-others", others}});
    DockAppsViewModel model(root.platform());
    await(model.revert());
    model.moveApps(sources, destination);
    model.moveOthers(sources, destination);
    QCOMPARE(labels(model.currentApps()).join(""), order);
    QCOMPARE(labels(model.currentOthers()).join(""), order);
    QVERIFY(model.isDirty());
}

void TestDock::editsMarkDirtyAndAnnounceOnlyChanges()
{
    TestRoot root;
    DockAppsViewModel model(root.platform());
    await(model.load());
    QSignalSpy dirty(&model, &DockAppsViewModel::isDirtyChanged);
    QSignalSpy apps(&model, &DockAppsViewModel::currentAppsChanged);
    QSignalSpy search(&model, &DockAppsViewModel::searchTextChanged);

    // An edit that changes nothing still counts as an edit.
    model.removeApp(appEntry("file:///nowhere.app/", "Nowhere"));
    QVERIFY(model.isDirty());
    QCOMPARE(dirty.count(), 1);
    QCOMPARE(apps.count(), 0);

    const InstalledApp xcode = *std::find_if(model.installedApps().cbegin(), model.installedApps().cend(),
                                             [](const InstalledApp &a) { return a.name == "Xcode"; });
    QVERIFY(model.availableApps().contains(xcode));
    model.addApp(xcode);
    QCOMPARE(model.currentApps().last().label, QStringLiteral("Xcode"));
    QCOMPARE(model.currentApps().last().bundleIdentifier, OptText("com.apple.dt.Xcode"));
    QCOMPARE(model.currentApps().last().url, xcode.url);
    QVERIFY(!model.availableApps().contains(xcode));
    model.addApp(xcode); // no check for a duplicate here
    QCOMPARE(model.currentApps().size(), 8);
    model.removeApp(model.currentApps().last()); // both go: equal URLs
    QCOMPARE(model.currentApps().size(), 6);
    QVERIFY(model.availableApps().contains(xcode));
    QCOMPARE(apps.count(), 3);
    QCOMPARE(dirty.count(), 1);

    model.addFolder(QUrl::fromLocalFile(root.root().home() + "/Downloads/"));
    const DockOtherEntry folder = model.currentOthers().last();
    QCOMPARE(folder.itemType, DockItemType::folder);
    QCOMPARE(folder.label, QStringLiteral("Downloads"));
    QCOMPARE(folder.displayAs, OptInt(2));
    QCOMPARE(folder.arrangement, OptInt(1));
    model.addFolder(QUrl::fromLocalFile(root.root().home() + "/Projects.old"));
    QCOMPARE(model.currentOthers().last().label, QStringLiteral("Projects.old")); // the extension stays
    model.addSpacer(true);
    model.addSpacer(false);
    QCOMPARE(labels(model.currentOthers()).mid(3),
             (QStringList{"Downloads", "Projects.old", "Small Spacer", "Spacer"}));
    QCOMPARE(model.currentOthers().last().itemType, DockItemType::spacer);
    QVERIFY(!model.currentOthers().last().displayAs);
    model.removeOther(folder);
    QCOMPARE(labels(model.currentOthers()).mid(3), (QStringList{"Projects.old", "Small Spacer", "Spacer"}));

    model.setSearchText("x");
    model.setSearchText("x");
    QCOMPARE(search.count(), 1);
}

void TestDock::revertAndApply()
{
    TestRoot root;
    DockAppsViewModel model(root.platform());
    await(model.load());
    const QList<InstalledApp> installed = model.installedApps();
    model.moveApps({5}, 0);
    model.addSpacer(true);
    QSignalSpy installedChanged(&model, &DockAppsViewModel::installedAppsChanged);
    QSignalSpy loading(&model, &DockAppsViewModel::isLoadingChanged);
    await(model.revert());
    QVERIFY(!model.isDirty());
    QCOMPARE(model.currentApps().first().label, QStringLiteral("Safari"));
    QCOMPARE(model.currentOthers().size(), 3);
    QCOMPARE(model.installedApps(), installed);
    QCOMPARE(installedChanged.count(), 0);
    QCOMPARE(loading.count(), 0);
    QCOMPARE(dockRestarts(root), 0);

    model.moveApps({5}, 0);
    model.removeOther(model.currentOthers().at(1));
    await(model.apply());
    QVERIFY(!model.isDirty());
    QVERIFY(!model.lastError());
    QCOMPARE(dockRestarts(root), 2); // once after each part
    QCOMPARE(labels(DockPreferences::readApps(root.platform())).first(), QStringLiteral("System Settings"));
    QCOMPARE(labels(DockPreferences::readOthers(root.platform())),
             (QStringList{"Downloads", "Developer Documentation"}));
    // The editor does not go through the engine: no value stored, no restart pending.
}

void TestDock::applyFailures_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("dirtyAfter");
    QTest::addColumn<QString>("error");
    QTest::newRow("killall missing") << "killall" << false << "Could not launch ";
    QTest::newRow("killall exits 1") << "killall exits 1" << false << "";
    QTest::newRow("preference unwritable")
        << "preference" << true << "The Dock's preferences could not be written";
}

void TestDock::applyFailures()
{
    QFETCH(QString, failure);
    QFETCH(bool, dirtyAfter);
    QFETCH(QString, error);
    TestRoot root;
    DockAppsViewModel model(root.platform());
    await(model.load());
    model.addSpacer(false);
    if (failure == "killall")
        root.platform().setKillallToolPath(root.path() + "/missing/killall");
    else if (failure == "killall exits 1")
        root.platform().setKillallToolPath(
            root.writeFailingTool("killall", "No matching processes belonging to you were found"));
    else // another program leaves the Dock's file damaged after the page read it
        writeBytes(*root.root().domainFile(kDock), "bplist00 damaged");
    await(model.apply());
    QCOMPARE(model.isDirty(), dirtyAfter);
    QCOMPARE(model.lastError().has_value(), !error.isEmpty());
    if (!error.isEmpty())
        QVERIFY2(model.lastError()->startsWith(error), qPrintable(*model.lastError()));
    // Whatever failed, what the Dock holds is what the page says: the edit, or nothing at all.
    if (failure == "preference") {
        QCOMPARE(readAll(*root.root().domainFile(kDock)), QByteArray("bplist00 damaged"));
        QCOMPARE(dockRestarts(root), 0);
    } else {
        QCOMPARE(DockPreferences::readOthers(root.platform()).size(), 4);
    }
}

void TestDock::editsMadeWhileApplyingStayPending()
{
    TestRoot root;
    DockAppsViewModel model(root.platform());
    await(model.load());
    model.addSpacer(false);
    QSignalSpy applying(&model, &DockAppsViewModel::isApplyingChanged);
    QCoro::Task<> task = model.apply();
    QVERIFY(model.isApplying());
    model.addSpacer(true); // while the Dock is being written
    await(std::move(task));
    QVERIFY(!model.isApplying());
    QCOMPARE(applying.count(), 2);
    QVERIFY(model.isDirty());
    QCOMPARE(DockPreferences::readOthers(root.platform()).size(), 4);
    await(model.apply());
    QVERIFY(!model.isDirty());
    QCOMPARE(DockPreferences::readOthers(root.platform()).size(), 5);
}

void TestDock::editorRoundTripKeepsEveryTile()
{
    TestRoot root(TestRoot::Seed::none);
    const QVariantMap dock = realisticDock(root.root().home());
    root.writeDomain(kDock, dock);
    DockAppsViewModel model(root.platform());
    await(model.load());
    QCOMPARE(labels(model.currentApps()), (QStringList{"Safari", "Réglages Système", "地图"}));
    QCOMPARE(labels(model.currentOthers()),
             (QStringList{"Téléchargements", "Small Spacer", "Docs", "Spacer"}));
    // Maps to the top: the small spacer stays after Réglages Système, the last spacer after Maps.
    model.moveApps({2}, 0);
    model.moveOthers({0}, 4);
    await(model.apply());
    const QVariantMap after = root.domain(kDock);
    const QVariantList was = dock["persistent-apps"].toList();
    const QVariantList written = expectedAfterRoundTrip(was, true);
    QCOMPARE(withoutGUIDs(after["persistent-apps"]),
             (QVariantList{written[0], written[4], written[5], written[1], written[2], written[3]}));
    const QVariantList others = expectedAfterRoundTrip(dock["persistent-others"].toList(), false);
    QCOMPARE(withoutGUIDs(after["persistent-others"]),
             (QVariantList{others[1], others[2], others[3], others[0]}));
}

// ---- velmoractl ---------------------------------------------------------------------------------------

void TestDock::cliShowAndApply()
{
    TestRoot root;
    const ProgramRun shown = runVelmoractl(root, {"dock", "show"});
    QCOMPARE(shown.exitCode, 0);
    QVERIFY2(shown.out.startsWith("Applications (6)\n   1. Safari  (com.apple.Safari)  " + root.path() +
                                  "/Applications/Safari.app/\n"),
             qPrintable(shown.out));
    QVERIFY(shown.out.contains("Folders & Others (3)\n   1. Downloads  [folder]  " + root.root().home() +
                               "/Downloads/  Display as: Stack\n   2. Small Spacer  [smallSpacer]\n"));

    const ProgramRun json = runVelmoractl(root, {"dock", "show", "--json"});
    QCOMPARE(json.exitCode, 0);
    const Result<DockProfilePayload> payload = DockProfilePayload::fromJson(json.out.toUtf8());
    QVERIFY(payload);
    QCOMPARE(payload->apps.size(), 6);

    // Edit the payload: Slack out, the link first; apply it from a file, then from standard input.
    QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QJsonArray apps = object["apps"].toArray();
    apps.removeAt(4);
    QJsonArray others = object["others"].toArray();
    others.prepend(others.takeAt(2));
    object["apps"] = apps;
    object["others"] = others;
    QTemporaryDir dir;
    QFile saved(dir.filePath("dock.json"));
    QVERIFY(saved.open(QIODevice::WriteOnly));
    saved.write(QJsonDocument(object).toJson());
    saved.close();
    const QVariantMap before = root.domain(kDock);
    const ProgramRun applied = runVelmoractl(root, {"dock", "apply", saved.fileName()});
    QCOMPARE(applied.exitCode, 0);
    QCOMPARE(applied.out,
             QStringLiteral("The Dock now holds 5 applications and 3 others; it was restarted.\n"));
    QCOMPARE(dockRestarts(root), 2);
    QCOMPARE(labels(DockPreferences::readOthers(root.platform())).first(),
             QStringLiteral("Developer Documentation"));
    // The seeded tiles kept their bookmarks, and the spacer among the applications is still there.
    const QVariantList tiles = root.domain(kDock)["persistent-apps"].toList();
    QCOMPARE(tiles.size(), 6);
    QCOMPARE(tileData(tiles[0]).value("book"), tileData(before["persistent-apps"].toList()[0]).value("book"));
    QCOMPARE(tiles[3].toMap().value("tile-type"), QVariant("spacer-tile"));

    const ProgramRun array =
        runVelmoractl(root, {"dock", "apply", "-"}, R"([{"url":"file:///Applications/Xcode.app/","label":"Xcode"}])");
    QCOMPARE(array.exitCode, 0);
    QVERIFY(array.out.contains("1 applications (its other part unchanged)"));
    QCOMPARE(DockPreferences::readOthers(root.platform()).size(), 3);
}

void TestDock::cliRefusesWhatIsNoDock_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no verb") << QStringList{"dock"} << QByteArray() << 2 << "usage: velmoractl dock";
    QTest::newRow("unknown verb") << QStringList{"dock", "shuffle"} << QByteArray() << 2
                                  << "usage: velmoractl dock";
    QTest::newRow("show extra") << QStringList{"dock", "show", "now"} << QByteArray() << 2 << "usage:";
    QTest::newRow("apply without file") << QStringList{"dock", "apply"} << QByteArray() << 2 << "usage:";
    QTest::newRow("missing file") << QStringList{"dock", "apply", "/no/such/file.json"} << QByteArray() << 1
                                  << "Could not read /no/such/file.json";
    QTest::newRow("the default") << QStringList{"dock", "apply", "-"} << QByteArray("{}") << 1
                                 << "holds neither the Dock's contents";
    QTest::newRow("not UTF-8") << QStringList{"dock", "apply", "-"} << QByteArray("[\xff]") << 1
                               << "is not UTF-8 text";
    QTest::newRow("entry without entryID")
        << QStringList{"dock", "apply", "-"}
        << QByteArray(R"({"apps":[],"others":[{"label":"S","itemType":"spacer"}]})") << 1
        << "The key \"entryID\" is missing.";
}

void TestDock::cliRefusesWhatIsNoDock()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TestRoot root;
    const QVariantMap before = root.domain(kDock);
    const ProgramRun r = runVelmoractl(root, args, input);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(root.domain(kDock), before);
    QCOMPARE(dockRestarts(root), 0);
}

QTEST_GUILESS_MAIN(TestDock)
#include "tst_dock.moc"
