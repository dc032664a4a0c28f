// The Dock's tiles, its preference, the "dock.apps" tweak, the scan of installed applications and
// the editor's model, against a simulated Mac with the real stand-in tools.

#include "dock/DockAppsTweakHandler.h"
#include "dock/DockAppsViewModel.h"
#include "dock/DockPreferences.h"
#include "dock/DockProfilePayload.h"
#include "dock/DockTiles.h"
#include "dock/InstalledApps.h"
#include "engine/TweakEngine.h"
#include "support/DockListsWatch.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

using OptText = std::optional<QString>;
Q_DECLARE_METATYPE(OptText)
Q_DECLARE_METATYPE(velmora::TweakValue)

/// Something done to the editor's model.
using Edit = std::function<void(velmora::DockAppsViewModel &)>;
Q_DECLARE_METATYPE(Edit)

namespace {

const QString kDock = QStringLiteral("com.apple.dock");

/// One data row: its name, then a value for each column, of the column's type.
template <typename... Values> void dataRow(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << values);
}

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

/// Tile data with a URL and any other keys.
QVariantMap withURL(const QString &url, QVariantMap more = {})
{
    more.insert("file-data", fileData(url));
    return more;
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

/// An entry read from a tile as one line: "URL | label | identifier", "-" for what it lacks.
QString describe(const std::optional<DockAppEntry> &e)
{
    return e ? QStringList{e->urlText(), e->label, e->bundleIdentifier.value_or("-")}.join(" | ") : "none";
}

/// "type | URL | label | display as | arrangement", "-" for what it lacks.
QString describe(const std::optional<DockOtherEntry> &e)
{
    const auto text = [](std::optional<qint64> n) { return n ? QString::number(*n) : QStringLiteral("-"); };
    return e ? QStringList{rawValue(e->itemType), e->url ? e->urlText() : "-", e->label, text(e->displayAs),
                           text(e->arrangement)}
                   .join(" | ")
             : "none";
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
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

InstalledApp installedApp(const DockAppsViewModel &model, const QString &name)
{
    return *std::find_if(model.installedApps().cbegin(), model.installedApps().cend(),
                         [&name](const InstalledApp &a) { return a.name == name; });
}

template <typename Entry> QStringList labels(const QList<Entry> &entries)
{
    QStringList list;
    for (const Entry &entry : entries)
        list << entry.label;
    return list;
}

int dockRestarts(const TestRoot &root)
{
    int n = 0;
    for (const QString &line : root.restartLog())
        n += line.endsWith("\tDock");
    return n;
}

/// A Dock shaped like the real ones: bookmarks and dates the entries do not model, a tile without
/// a GUID, spacers in both parts, labels in other scripts, keys nobody knows at both levels, a link
/// whose fragment holds a second "#".
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
        tile("directory-tile", withURL(file(home + "/Téléchargements/"), {{"arrangement", qint64(2)},
                                                                          {"book", QByteArray("bm")},
                                                                          {"displayas", qint64(0)},
                                                                          {"file-label", "Téléchargements"},
                                                                          {"file-type", qint64(2)},
                                                                          {"preferreditemsize", qint64(-1)},
                                                                          {"showas", qint64(1)}}));
    downloads.insert("GUID", qint64(2222222222));
    const QVariantMap link =
        tile("url-tile", withURL("https://example.org/docs/#setup#step-2", {{"file-label", "Docs"}}));
    return QVariantMap{
        {"persistent-apps",
         QVariantList{spacerTile(), safari, settings, spacerTile("small-spacer-tile"), maps, spacerTile()}},
        {"persistent-others", QVariantList{downloads, spacerTile("small-spacer-tile"), link, spacerTile()}},
        {"tilesize", qint64(48)},
    };
}

/// What a write of a Dock's own entries must produce: the same tiles, with the keys the format fixes
/// written anew.
QVariantList expectedAfterRoundTrip(const QVariant &tiles, bool appsPart)
{
    QVariantList expected;
    for (const QVariant &t : tiles.toList()) {
        QVariantMap map = withoutGUID(t.toMap());
        QVariantMap data = map.value("tile-data").toMap();
        if (appsPart && map.value("tile-type") == QVariant("file-tile")) {
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
    // Tiles
    void parseAppTile_data();
    void parseAppTile();
    void parseOtherTile_data();
    void parseOtherTile();
    void makeTiles_data();
    void makeTiles();
    void readingNeverFails_data();
    void readingNeverFails();

    // Nothing lost
    void spacersAmongAppsStayAnchored_data();
    void spacersAmongAppsStayAnchored();
    void applyingWhatWasReadChangesOnlyTheFixedKeys_data();
    void applyingWhatWasReadChangesOnlyTheFixedKeys();

    // The "dock.apps" tweak
    void payloadJson_data();
    void payloadJson();
    void payloadJsonForm();
    void handlerApply_data();
    void handlerApply();
    void valuesEquivalent_data();
    void valuesEquivalent();
    void engineReadsResetsAndKeepsAnUnchangedDockQuiet();

    // Installed applications
    void scanFindsBundlesDirectlyInTheFoldersOnce();
    void scanNamesBundles_data();
    void scanNamesBundles();
    void scanTellsFoldersFromFiles_data();
    void scanTellsFoldersFromFiles();
    void scanSortIsCaseInsensitiveAndStable_data();
    void scanSortIsCaseInsensitiveAndStable();

    // The editor's model
    void availableApps_data();
    void availableApps();
    void moveApps_data();
    void moveApps();
    void listsAnnounceEachRow_data();
    void listsAnnounceEachRow();
    void aSecondScanAnnouncesOnlyWhatChanged();
    void editsMarkDirtyAndAnnounceOnlyChanges();
    void revertReadsTheDockAgainNotTheApplications();
    void applyFailures_data();
    void applyFailures();
    void editsMadeWhileApplyingStayPending();
    void editorRoundTripKeepsEveryTile();

    // velmoractl
    void cliShowAndApply();
    void cliRefusesWhatIsNoDock_data();
    void cliRefusesWhatIsNoDock();
};

// ---- Tiles ---------------------------------------------------------------------------------------

void TestDock::parseAppTile_data()
{
    QTest::addColumn<QVariantMap>("tile");
    QTest::addColumn<QString>("entry"); // as describe() writes it; "none" when the tile yields none
    const auto row = [](const char *name, const QVariantMap &data, const QString &entry = "none") {
        dataRow(name, tile("file-tile", data), entry);
    };
    const QString safari = "file:///Applications/Safari.app/";
    const QString appStore = "file:///Applications/App%20Store.app/";
    dataRow("no tile-data", QVariantMap{{"tile-type", "file-tile"}}, QString("none"));
    dataRow("spacer among apps", spacerTile(), QString("none"));
    row("no file-data", {{"file-label", "Safari"}});
    row("URL not text", {{"file-data", QVariantMap{{"_CFURLString", qint64(5)}}}});
    row("space in URL", withURL("file:///Applications/App Store.app/"));
    row("label from encoded URL", withURL(appStore), appStore + " | App Store | -");
    row("label not text", withURL(safari, {{"file-label", qint64(3)}}), safari + " | Safari | -");
    row("empty label kept", withURL(safari, {{"file-label", ""}}), safari + " |  | -");
    row("identifier", withURL(safari, {{"file-label", "Safari"}, {"bundle-identifier", "com.apple.Safari"}}),
        safari + " | Safari | com.apple.Safari");
    row("identifier not text", withURL(safari, {{"bundle-identifier", true}}), safari + " | Safari | -");
    row("empty identifier kept", withURL(safari, {{"bundle-identifier", ""}}), safari + " | Safari | ");
    dataRow("tile type not looked at", tile("directory-tile", withURL(safari)), safari + " | Safari | -");
    // Not a URL as written; percent-decoded it is one.
    row("decoded when only that parses", withURL("http://ex%61mple.com/Tool.app/"),
        "http://example.com/Tool.app/ | Tool | -");
    row("undecodable stays unreadable", withURL("file:///Apps/100%.app/"));
    row("non-ASCII path", withURL("file:///Applications/Übersicht.app/"),
        "file:///Applications/%C3%9Cbersicht.app/ | Übersicht | -");
    // A "#" inside the fragment stays as written; an encoded one stays encoded.
    row("second # in the fragment", withURL("file:///a#b#c"), "file:///a#b#c | a | -");
    row("encoded # in the fragment", withURL("file:///a#b%23c"), "file:///a#b%23c | a | -");
    row("# in the path, encoded", withURL("file:///Apps/C%23.app/#x#y"),
        "file:///Apps/C%23.app/#x#y | C# | -");
}

void TestDock::parseAppTile()
{
    QFETCH(QVariantMap, tile);
    QFETCH(QString, entry);
    QCOMPARE(describe(velmora::parseAppTile(tile)), entry);
}

void TestDock::parseOtherTile_data()
{
    QTest::addColumn<QVariantMap>("tile");
    QTest::addColumn<QString>("entry"); // as describe() writes it; "none" when the tile yields none
    const QString downloads = "file:///Users/me/Downloads/";
    const QString link = "https://example.org/a%20b";
    dataRow("spacer ignores its data", tile("spacer-tile", withURL(downloads, {{"file-label", "x"}})),
            QString("spacer | - | Spacer | - | -"));
    dataRow("spacer without data", tile("spacer-tile", QVariant()), QString("spacer | - | Spacer | - | -"));
    dataRow("small spacer", spacerTile("small-spacer-tile"),
            QString("smallSpacer | - | Small Spacer | - | -"));
    dataRow("folder",
            tile("directory-tile", withURL(downloads, {{"file-label", "Downloads"},
                                                       {"displayas", qint64(1)},
                                                       {"arrangement", qint64(2)}})),
            "folder | " + downloads + " | Downloads | 1 | 2");
    dataRow("file tile is a folder", tile("file-tile", withURL(downloads)),
            "folder | " + downloads + " | Downloads | - | -");
    dataRow("document label drops extension", tile("file-tile", withURL("file:///Users/me/Report.final.pdf")),
            QString("folder | file:///Users/me/Report.final.pdf | Report.final | - | -"));
    dataRow("no tile-data dropped", tile("directory-tile", QVariant()), QString("none"));
    dataRow("empty tile-data", tile("directory-tile", QVariantMap()),
            QString("folder | - | Unknown | - | -"));
    dataRow("link", tile("url-tile", withURL(link, {{"file-label", "Example"}})),
            "url | " + link + " | Example | - | -");
    dataRow("link without label", tile("url-tile", withURL(link)), "url | " + link + " | a b | - | -");
    dataRow("link with two #", tile("url-tile", withURL("https://example.org/d#a#b%20c")),
            QString("url | https://example.org/d#a#b%20c | d | - | -"));
    dataRow("bad URL kept as a tile", tile("directory-tile", withURL("a b")),
            QString("folder | - | Unknown | - | -"));
    dataRow("display modes not integers",
            tile("directory-tile", withURL(downloads, {{"displayas", "2"}, {"arrangement", 1.0}})),
            "folder | " + downloads + " | Downloads | - | -");
}

void TestDock::parseOtherTile()
{
    QFETCH(QVariantMap, tile);
    QFETCH(QString, entry);
    const std::optional<DockOtherEntry> read = velmora::parseOtherTile(tile);
    QCOMPARE(describe(read), entry);
    if (read) // a new identity on every read
        QVERIFY(!read->entryID.isNull() && velmora::parseOtherTile(tile)->entryID != read->entryID);
}

void TestDock::makeTiles_data()
{
    QTest::addColumn<QVariantMap>("written");
    QTest::addColumn<QVariantMap>("expected"); // without the GUID

    const QString safari = "file:///Applications/Safari.app/";
    const QString downloads = "file:///Users/me/Downloads/";
    const QVariantMap app =
        withURL(safari, {{"dock-extra", qint64(0)}, {"file-label", "Safari"}, {"file-type", qint64(41)}});
    QVariantMap identified = app;
    identified.insert("bundle-identifier", "com.apple.Safari");
    dataRow("app", makeAppTile(appEntry(safari, "Safari", OptText("com.apple.Safari"))),
            tile("file-tile", identified));
    dataRow("app, empty identifier", makeAppTile(appEntry(safari, "Safari", OptText(""))),
            tile("file-tile", app));
    dataRow("app, no identifier", makeAppTile(appEntry(safari, "Safari")), tile("file-tile", app));
    dataRow("app whose URL has two #", makeAppTile(appEntry("file:///a#b#c", "A")),
            tile("file-tile",
                 withURL("file:///a#b#c",
                         {{"dock-extra", qint64(0)}, {"file-label", "A"}, {"file-type", qint64(41)}})));

    const auto folder = DockOtherEntry::make(QUrl(downloads), "Downloads", DockItemType::folder, 2, 1);
    const QVariantMap linkData = withURL(
        downloads, {{"file-label", "Downloads"}, {"displayas", qint64(2)}, {"arrangement", qint64(1)}});
    QVariantMap folderData = linkData;
    folderData.insert("file-type", qint64(2));
    dataRow("folder", makeOtherTile(folder), tile("directory-tile", folderData));
    DockOtherEntry link = folder;
    link.itemType = DockItemType::url;
    dataRow("same entry as a link", makeOtherTile(link), tile("url-tile", linkData));
    dataRow("app among the others",
            makeOtherTile(DockOtherEntry::make(QUrl(safari), "Safari", DockItemType::app)),
            tile("directory-tile", withURL(safari, {{"file-label", "Safari"}})));
    dataRow("folder without URL",
            makeOtherTile(DockOtherEntry::make(std::nullopt, "Unknown", DockItemType::folder)),
            tile("directory-tile", QVariantMap{{"file-label", "Unknown"}, {"file-type", qint64(2)}}));
    dataRow("spacer", makeOtherTile(DockOtherEntry::spacer(false)), tile("spacer-tile", QVariantMap()));
    dataRow("small spacer", makeOtherTile(DockOtherEntry::spacer(true)),
            tile("small-spacer-tile", QVariantMap()));

    // Tiles read back keep the keys their entries do not model, at both levels; the keys the format
    // fixes are written anew, and one whose condition fails is left out.
    QVariantMap extraURLKey = fileData(safari);
    extraURLKey.insert("extra", "dropped: the format gives file-data two keys");
    QVariantMap source = tile("file-tile", QVariantMap{{"book", QByteArray("bookmark")},
                                                       {"bundle-identifier", "com.apple.Safari"},
                                                       {"dock-extra", false},
                                                       {"file-data", extraURLKey},
                                                       {"file-label", "Safari"},
                                                       {"file-type", qint64(1)}});
    source.insert("GUID", qint64(1234567890));
    source.insert("tile-level", qint64(7));
    DockAppEntry edited = *velmora::parseAppTile(source);
    edited.label = "Web";
    edited.bundleIdentifier = QString();
    QVariantMap kept = tile("file-tile", withURL(safari, {{"book", QByteArray("bookmark")},
                                                          {"dock-extra", qint64(0)},
                                                          {"file-label", "Web"},
                                                          {"file-type", qint64(41)}}));
    kept.insert("tile-level", qint64(7));
    dataRow("app read back, edited", makeAppTile(edited), kept);
    // A display mode that cannot be read is left out; a folder that became a link loses its file type.
    DockOtherEntry other = *velmora::parseOtherTile(
        tile("directory-tile",
             withURL("file:///x/", {{"displayas", "odd"}, {"showas", qint64(1)}, {"file-type", qint64(2)}})));
    other.itemType = DockItemType::url;
    dataRow("folder read back as a link", makeOtherTile(other),
            tile("url-tile", withURL("file:///x/", {{"file-label", "x"}, {"showas", qint64(1)}})));
}

void TestDock::makeTiles()
{
    QFETCH(QVariantMap, written);
    QFETCH(QVariantMap, expected);
    const QVariant guid = written.value("GUID");
    QCOMPARE(guid.typeId(), QMetaType::LongLong);
    QVERIFY(guid.toLongLong() >= 1000000000 && guid.toLongLong() <= 9999999999);
    QVERIFY(guid.toLongLong() != 1234567890); // never the GUID of the tile read
    QCOMPARE(withoutGUID(written), expected);
}

void TestDock::readingNeverFails_data()
{
    QTest::addColumn<QVariant>("apps");
    QTest::addColumn<QStringList>("labels");
    const QVariantMap a = appTile("file:///A.app/", "A");
    dataRow("no value", QVariant(), QStringList());
    dataRow("a dictionary", QVariant(QVariantMap{{"a", 1}}), QStringList());
    dataRow("array of texts", QVariant(QVariantList{"a", "b"}), QStringList());
    dataRow("one element not a dictionary", QVariant(QVariantList{a, "b"}), QStringList());
    dataRow("tiles without entries skipped",
            QVariant(QVariantList{a, spacerTile(), QVariantMap(), appTile("file:///B.app/", "B")}),
            QStringList{"A", "B"});
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
    // One letter an app, "-" a spacer, "=" a small spacer.
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("written");
    dataRow("unchanged", "A-BC=D", "ABCD", "A-BC=D");
    dataRow("reversed", "A-BC=D", "DCBA", "DC=BA-");
    dataRow("first app removed: keeps its place", "A-B", "B", "-B");
    dataRow("app it follows removed: after the one before", "AB-C", "AC", "A-C");
    dataRow("apps before it removed, reordered", "AB-C=D", "ADC", "A-DC=");
    dataRow("every app before it removed", "AB-C", "C", "-C");
    dataRow("before every app: the start", "-AB", "BA", "-BA");
    dataRow("two after one app keep their order", "A-=B", "BAC", "BA-=C");
    dataRow("the same app twice", "ABA-", "ABA", "ABA-");
    dataRow("everything removed", "A-B", "", "-");
    dataRow("none there", "AB", "BAC", "BAC");
}

void TestDock::spacersAmongAppsStayAnchored()
{
    QFETCH(QString, present);
    QFETCH(QString, entries);
    QFETCH(QString, written);
    auto url = [](QChar name) { return QStringLiteral("file:///Applications/%1.app/").arg(name); };
    QVariantList presentTiles;
    for (const QChar name : present) {
        if (name == '-' || name == '=')
            presentTiles.append(spacerTile(name == '-' ? "spacer-tile" : "small-spacer-tile"));
        else
            presentTiles.append(appTile(url(name), name));
    }
    QList<DockAppEntry> apps;
    for (const QChar name : entries)
        apps.append(appEntry(url(name), name)); // as decoded from a payload: no tile of their own
    QString result;
    for (const QVariant &t : DockPreferences::appTiles(apps, presentTiles)) {
        const QString type = t.toMap().value("tile-type").toString();
        result += type == "spacer-tile"         ? "-"
                  : type == "small-spacer-tile" ? "="
                                                : tileData(t)["file-label"].toString();
    }
    QCOMPARE(result, written);
}

void TestDock::applyingWhatWasReadChangesOnlyTheFixedKeys_data()
{
    QTest::addColumn<QVariant>("dock");
    QTest::addColumn<bool>("xml");
    const QVariantMap realistic = realisticDock("/Users/me");
    dataRow("realistic, binary", QVariant(realistic), false);
    dataRow("realistic, XML", QVariant(realistic), true);
    // And the Docks of real users, when their files are on this machine.
    const QDir real("/work/shared/fixtures/real");
    for (const QString &name : real.entryList({"dock-*.plist"}, QDir::Files, QDir::Name)) {
        const Result<QVariant> read = PropertyList::readFile(real.filePath(name));
        dataRow(qPrintable(name), read ? *read : QVariant(), false);
    }
}

void TestDock::applyingWhatWasReadChangesOnlyTheFixedKeys()
{
    QFETCH(QVariant, dock);
    QFETCH(bool, xml);
    QCOMPARE(dock.typeId(), QMetaType::QVariantMap);
    TestRoot root(TestRoot::Seed::none);
    const QString path = *root.root().domainFile(kDock); // written as another program could have
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(
        PropertyList::writeFile(path, dock, xml ? PropertyList::Format::xml : PropertyList::Format::binary));
    DockAppsTweakHandler handler;
    const Result<TweakValue> read = await(handler.currentValue(root.platform()));
    QVERIFY(read);
    QVERIFY(await(handler.apply(root.platform(), *read)));

    // Bookmarks, dates, labels, URLs, identifiers, display modes, keys nobody knows and the spacers
    // among the applications stay; an application's "dock-extra" (true for apps with a Dock extra) and
    // "file-type" (1 or 169 for some) are written with the fixed values 0 and 41.
    QVariantMap before = dock.toMap();
    QVariantMap after = root.domain(kDock);
    QCOMPARE(withoutGUIDs(after.take("persistent-apps")),
             expectedAfterRoundTrip(before.take("persistent-apps"), true));
    // Others: the spacers were read as entries, so they come back with a GUID as every written tile.
    const QVariantList others = after.take("persistent-others").toList();
    QCOMPARE(withoutGUIDs(others), expectedAfterRoundTrip(before.take("persistent-others"), false));
    for (const QVariant &t : others)
        QVERIFY(t.toMap().contains("GUID"));
    QCOMPARE(after, before); // every other key, such as "tilesize"
    QCOMPARE(dockRestarts(root), 2);
    // And what is read now is the same state.
    QVERIFY(handler.valuesEquivalent(*read, *await(handler.currentValue(root.platform()))));
}

// ---- The "dock.apps" tweak -----------------------------------------------------------------------

void TestDock::payloadJson_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("payload");
    QTest::addColumn<bool>("array");
    const auto row = [](const char *name, const QByteArray &json, bool payload, bool array = false) {
        QTest::newRow(name) << json << payload << array;
    };
    // A payload with no apps and one other entry: an identity and these fields.
    const QByteArray id = R"("entryID":"0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90",)";
    const auto other = [&](const QByteArray &fields) -> QByteArray {
        return R"({"apps":[],"others":[{)" + id + fields + "}]}";
    };

    const QByteArray app = R"({"url":"file:///Applications/Safari.app/","label":"Safari"})";
    row("full", "{\"apps\":[" + app + "],\"others\":[{" + id + R"("label":"Spacer","itemType":"spacer"}]})",
        true);
    row("extra keys and white space", "{ \"version\": 2, \"apps\": [ " + app + " ], \"others\": [] }", true);
    row("lower-case entryID",
        R"({"apps":[],"others":[{"entryID":"0f8b5e1c-7c9d-4e2a-9b1f-3a5d6c7e8f90","label":"S","itemType":"smallSpacer"}]})",
        true);
    // QUrl keeps a "#" inside the fragment raw when parsing and encodes it when writing.
    row("'#' inside the fragment",
        R"({"apps":[{"url":"file:///Applications/A.app/#b#c","label":"A"}],"others":[{)" + id +
            R"("url":"https://example.org/##","label":"L","itemType":"url"}]})",
        true);
    row("null optional",
        R"({"apps":[{"url":"file:///A.app/","label":"A","bundleIdentifier":null}],"others":[]})", true);
    row("whole number as 2.0", other(R"("label":"D","itemType":"folder","displayAs":2.0)"), true);
    row("fraction", other(R"("label":"D","itemType":"folder","displayAs":2.5)"), false);
    row("no others", "{\"apps\":[" + app + "]}", false);
    row("empty text", QByteArray(), false);
    row("older array form", "[" + app + "]", false, true);
    row("empty array", "[]", false, true);
    row("missing entryID", R"({"apps":[],"others":[{"label":"S","itemType":"spacer"}]})", false);
    row("entryID no UUID", R"({"apps":[],"others":[{"entryID":"nope","label":"S","itemType":"spacer"}]})",
        false);
    row("unknown itemType", other(R"("label":"S","itemType":"widget")"), false);
    row("URL with a space", R"({"apps":[{"url":"file:///App Store.app/","label":"A"}],"others":[]})", false);
    row("label a number", R"({"apps":[{"url":"file:///A.app/","label":3}],"others":[]})", false);
    row("array with a bad entry", R"([{"url":"file:///A.app/"}])", false);
    row("apps not an array", R"({"apps":{},"others":[]})", false);
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
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    QCOMPARE(json.size(), QJsonDocument(object).toJson(QJsonDocument::Compact).size()); // compact
    // Identities in upper case; no key for what is absent, not even a null.
    const QJsonArray others = object["others"].toArray();
    const QString id = others[1].toObject()["entryID"].toString();
    QVERIFY2(QRegularExpression("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$").match(id).hasMatch(),
             qPrintable(id));
    const QJsonObject safari{{"url", "file:///Applications/Safari.app/"},
                             {"label", "Safari"},
                             {"bundleIdentifier", "com.apple.Safari"}};
    const QJsonObject cafe{{"url", "file:///Applications/Caf%C3%A9.app/"}, {"label", "Café"}};
    const QJsonObject downloads{{"entryID", others[0].toObject()["entryID"]},
                                {"url", "file:///Users/me/Downloads/"},
                                {"label", "Downloads"},
                                {"itemType", "folder"},
                                {"displayAs", 2},
                                {"arrangement", 1}};
    const QJsonObject spacer{{"entryID", id}, {"label", "Small Spacer"}, {"itemType", "smallSpacer"}};
    QCOMPARE(object,
             (QJsonObject{{"apps", QJsonArray{safari, cafe}}, {"others", QJsonArray{downloads, spacer}}}));
    QCOMPARE(*DockProfilePayload::fromJson(json), payload);
}

void TestDock::handlerApply_data()
{
    QTest::addColumn<TweakValue>("value");
    QTest::addColumn<QStringList>("apps"); // labels afterwards; the seeded Dock's when unchanged
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<int>("restarts");

    const QStringList apps{"Safari", "Mail", "Notes", "Music", "Slack", "System Settings"};
    const QStringList others{"Downloads", "Small Spacer", "Developer Documentation"};
    const QString app = R"({"url":"file:///Applications/Xcode.app/","label":"Xcode"})";
    const auto text = [](const QString &s) { return TweakValue::ofString(s); };
    QTest::newRow("not a string") << TweakValue::ofInt(3) << apps << others << 0;
    QTest::newRow("the default {}") << text("{}") << apps << others << 0;
    QTest::newRow("not UTF-8 (lone surrogate)") << text(QString(QChar(0xD800)) + "[]") << apps << others << 0;
    QTest::newRow("array form: apps only") << text("[" + app + "]") << QStringList{"Xcode"} << others << 1;
    QTest::newRow("others emptied") << text("{\"apps\":[" + app + "],\"others\":[]}") << QStringList{"Xcode"}
                                    << QStringList() << 2;
    QTest::newRow("an app among the others")
        << text(
               R"({"apps":[],"others":[{"entryID":"0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90","url":"file:///Applications/Xcode.app/","label":"Xcode","itemType":"app"}]})")
        << QStringList() << QStringList{"Xcode"} << 2;
    QTest::newRow("entryID missing: nothing")
        << text(R"({"apps":[],"others":[{"label":"S","itemType":"spacer"}]})") << apps << others << 0;
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

void TestDock::valuesEquivalent_data()
{
    QTest::addColumn<TweakValue>("a");
    QTest::addColumn<TweakValue>("b");
    QTest::addColumn<bool>("same");

    const QString app = R"({"url":"file:///A.app/","label":"A"})";
    auto payload = [&](const QString &id, const QString &label, bool swapped = false) {
        const QString other =
            QString::fromUtf8(R"({"entryID":"%1","label":"%2","itemType":"folder","url":"file:///D/"})")
                .arg(id, label);
        const QString spacer =
            QString::fromUtf8(R"({"entryID":"%1","label":"Spacer","itemType":"spacer"})").arg(id);
        return TweakValue::ofString("{\"apps\":[" + app + "],\"others\":[" +
                                    (swapped ? spacer + "," + other : other + "," + spacer) + "]}");
    };
    const QString id1 = "0F8B5E1C-7C9D-4E2A-9B1F-3A5D6C7E8F90";
    const QString id2 = "A1B2C3D4-0000-4000-8000-123456789ABC";
    const TweakValue none = TweakValue::ofString("{}");
    QTest::newRow("identities differ") << payload(id1, "D") << payload(id2, "D") << true;
    QTest::newRow("a label differs") << payload(id1, "D") << payload(id2, "E") << false;
    QTest::newRow("order differs") << payload(id1, "D") << payload(id1, "D", true) << false;
    QTest::newRow("key order and white space")
        << TweakValue::ofString("{\"apps\":[" + app + "],\"others\":[]}")
        << TweakValue::ofString(
               "{ \"others\" : [ ], \"apps\" : [ {\"label\":\"A\", \"url\":\"file:///A.app/\"} ] }")
        << true;
    QTest::newRow("same text") << none << none << true;
    QTest::newRow("texts that are no payload") << none << TweakValue::ofString("{ }") << false;
    QTest::newRow("payload and default") << payload(id1, "D") << none << false;
    QTest::newRow("not strings") << TweakValue::ofInt(1) << TweakValue::ofString("1") << false;
}

void TestDock::valuesEquivalent()
{
    QFETCH(TweakValue, a);
    QFETCH(TweakValue, b);
    QFETCH(bool, same);
    const std::shared_ptr<const TweakHandler> handler = makeDockAppsTweakHandler();
    QVERIFY(handler);
    QCOMPARE(handler->valuesEquivalent(a, b), same);
    QCOMPARE(handler->valuesEquivalent(b, a), same);
}

void TestDock::engineReadsResetsAndKeepsAnUnchangedDockQuiet()
{
    TestRoot root;
    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    await(engine.refreshCategory("dockapps"));
    const TweakValue first = engine.currentValues().value("dock.apps");
    QVERIFY(first.toString().startsWith("{\"apps\":[{"));

    // Reading an unchanged Dock again announces nothing, though the others get new identities.
    QSignalSpy changed(&engine, &TweakEngine::currentValuesChanged);
    await(engine.refreshCategory("dockapps", true));
    await(engine.refreshAll());
    await(engine.refreshAll());
    QCOMPARE(changed.count(), 1); // the first full refresh reads the other categories
    QCOMPARE(engine.currentValues().value("dock.apps"), first);

    // A reset leaves the Dock as it is and restarts it when asked.
    const QVariantMap before = root.domain(kDock);
    await(engine.reset(*TweakRegistry::shared().tweak("dock.apps")));
    QVERIFY(!engine.lastError());
    QCOMPARE(root.domain(kDock), before);
    QVERIFY(engine.pendingRestarts().contains(RestartTarget::dock));

    // An empty Dock is two empty lists.
    TestRoot empty(TestRoot::Seed::none);
    const Result<TweakValue> none = await(makeDockAppsTweakHandler()->currentValue(empty.platform()));
    QCOMPARE(none->toString(), QString::fromUtf8(R"({"apps":[],"others":[]})"));
}

// ---- Installed applications ------------------------------------------------------------------------

void TestDock::scanFindsBundlesDirectlyInTheFoldersOnce()
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
    writeBytes(apps + "/Notes.txt", {});
    QVERIFY(QFile::link(apps + "/Safari.app", apps + "/Utilities/Safari.app"));

    // The home folder has no Applications folder: nothing fails. "Applications/Utilities/.." is
    // "Applications" once standardized: its bundles are not listed twice. The link is another path to
    // the same bundle, so it is listed.
    const QStringList folders{apps,
                              apps + "/Utilities",
                              dir.path() + "/System/Applications",
                              dir.path() + "/System/Applications/Utilities",
                              dir.path() + "/Users/me/Applications",
                              apps + "/Utilities/..",
                              apps + "/./Utilities"};
    const QList<InstalledApp> found = InstalledApps::scan(folders);
    QCOMPARE(names(found), (QStringList{"Bare", "Safari", "Safari", "Terminal"}));
    QCOMPARE(found[0].bundleIdentifier, OptText());
    QCOMPARE(found[1].bundleIdentifier, OptText("com.apple.Safari"));
    QCOMPARE(found[1].url, QUrl::fromLocalFile(apps + "/Safari.app/")); // a folder's URL ends in "/"
    QCOMPARE(found[1].path(), apps + "/Safari.app/");
    QCOMPARE(found[2].url, QUrl::fromLocalFile(apps + "/Utilities/Safari.app/"));

    QCOMPARE(await(InstalledApps::scanInBackground(folders)), found); // the same, off the window's thread
}

void TestDock::scanNamesBundles_data()
{
    QTest::addColumn<QVariant>("info"); // invalid: no Info.plist; a QByteArray: raw file bytes
    QTest::addColumn<bool>("binary");
    QTest::addColumn<QString>("name");
    QTest::addColumn<OptText>("identifier");
    const auto row = [](const char *name, const QVariant &info, bool binary, const QString &shown,
                        OptText identifier = {}) {
        QTest::newRow(name) << info << binary << shown << identifier;
    };
    const auto map = [](const QVariantMap &m) { return QVariant(m); };

    row("display name wins",
        map({{"CFBundleDisplayName", "Maps"},
             {"CFBundleName", "MapsApp"},
             {"CFBundleIdentifier", "com.apple.Maps"}}),
        false, "Maps", "com.apple.Maps");
    row("bundle name", map({{"CFBundleName", "MapsApp"}}), true, "MapsApp");
    row("empty display name taken", map({{"CFBundleDisplayName", ""}, {"CFBundleName", "MapsApp"}}), false,
        "");
    row("display name not text", map({{"CFBundleDisplayName", qint64(4)}, {"CFBundleName", "MapsApp"}}), true,
        "MapsApp");
    row("neither: the file name", map({{"CFBundleIdentifier", "x.y"}}), false, "Some Tool", "x.y");
    row("no Info.plist", QVariant(), false, "Some Tool");
    row("corrupt Info.plist", QByteArray("<plist><dict><key>"), false, "Some Tool");
    row("Info.plist not a dictionary", QVariantList{"a"}, false, "Some Tool");
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
    if (info.typeId() == QMetaType::QByteArray)
        writeBytes(bundle + "/Contents/Info.plist", info.toByteArray());
    else if (info.isValid())
        QVERIFY(PropertyList::writeFile(bundle + "/Contents/Info.plist", info,
                                        binary ? PropertyList::Format::binary : PropertyList::Format::xml));
    const QList<InstalledApp> found = InstalledApps::scan({dir.path()});
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].name, name);
    QCOMPARE(found[0].bundleIdentifier, identifier);
}

void TestDock::scanTellsFoldersFromFiles_data()
{
    // How the entry is made in the Applications folder: "bundle", "file", "link to bundle",
    // "link to link", "link to file", "broken link", "pipe".
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("folder"); // listed with a folder's URL, ending in "/"
    QTest::addColumn<QString>("name");
    QTest::newRow("bundle") << "bundle" << true << "Real";
    QTest::newRow("a file named .app") << "file" << false << "Some Tool";
    // The listing says "link" for these: what the link leads to decides, and its Info.plist names it.
    QTest::newRow("link to a bundle") << "link to bundle" << true << "Real";
    QTest::newRow("link to a link to a bundle") << "link to link" << true << "Real";
    QTest::newRow("link to a file") << "link to file" << false << "Some Tool";
    QTest::newRow("broken link") << "broken link" << false << "Some Tool";
    QTest::newRow("pipe") << "pipe" << false << "Some Tool";
}

void TestDock::scanTellsFoldersFromFiles()
{
    QFETCH(QString, kind);
    QFETCH(bool, folder);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString apps = dir.path() + "/Applications";
    const QString elsewhere = dir.path() + "/elsewhere";
    QDir().mkpath(apps);
    makeBundle(elsewhere + "/Real.app", {{"CFBundleName", "Real"}});
    writeBytes(elsewhere + "/plain.txt", "not a bundle");
    QVERIFY(QFile::link(elsewhere + "/Real.app", elsewhere + "/Linked.app"));
    const QString entry = apps + "/Some Tool.app";
    if (kind == "bundle")
        makeBundle(entry, {{"CFBundleName", "Real"}});
    else if (kind == "file")
        writeBytes(entry, "#!/bin/sh\n");
    else if (kind == "link to bundle")
        QVERIFY(QFile::link(elsewhere + "/Real.app", entry));
    else if (kind == "link to link")
        QVERIFY(QFile::link(elsewhere + "/Linked.app", entry));
    else if (kind == "link to file")
        QVERIFY(QFile::link(elsewhere + "/plain.txt", entry));
    else if (kind == "broken link")
        QVERIFY(QFile::link(elsewhere + "/Gone.app", entry));
    else if (kind == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(entry).constData(), 0600), 0);

    QElapsedTimer clock;
    clock.start();
    const QList<InstalledApp> found = InstalledApps::scan({apps});
    QVERIFY2(clock.elapsed() < 5000, "the scan waited on the pipe"); // never opened for reading
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].name, name);
    QCOMPARE(found[0].url, QUrl::fromLocalFile(folder ? entry + "/" : entry));
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
// How loading shows itself (the Dock read before the scan, then 20 of the 26 applications offered)
// is checked through the page in tst_dock_view.

void TestDock::availableApps_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("available");
    // Any case and inside a name is the page's test (tst_dock_view).
    QTest::newRow("spaces and a line break") << " \n " << QStringList{"Calendar", "Maps", "Safari"};
    QTest::newRow("trimmed") << "  SAF  " << QStringList{"Safari"};
    QTest::newRow("identifier is not searched") << "apple" << QStringList();
    QTest::newRow("path is not searched") << "Applications" << QStringList();
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
    QVariantList others;
    for (const QChar c : QStringLiteral("ABCDE")) {
        tiles.append(appTile(QStringLiteral("file:///Applications/%1.app/").arg(c), QString(c)));
        others.append(tile("directory-tile", QVariantMap{{"file-label", QString(c)}}));
    }
    root.writeDomain(kDock, {{"persistent-apps", tiles}, {"persistent-others", others}});
    DockAppsViewModel model(root.platform());
    await(model.revert());
    DockListsWatch watch(model); // a list showing the rows follows each move
    model.moveApps(sources, destination);
    model.moveOthers(sources, destination);
    QCOMPARE(labels(model.currentApps()).join(""), order);
    QCOMPARE(labels(model.currentOthers()).join(""), order);
    QVERIFY(model.isDirty());
    watch.check();
}

void TestDock::listsAnnounceEachRow_data()
{
    QTest::addColumn<Edit>("prepare"); // before the announcements count
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("announced");
    QTest::addColumn<bool>("dirty");
    // The seeded Dock: Safari, Mail, Notes, Music, Slack, System Settings; Downloads, Small Spacer,
    // Developer Documentation. Offered: the 20 other applications by name, Firefox fifth, Mail's place
    // tenth, Safari's fourteenth, iTerm2 and Terminal seventh and sixteenth.
    const auto loaded = [](const Edit &more) -> Edit {
        return [more](DockAppsViewModel &m) {
            await(m.load());
            more(m);
        };
    };
    const Edit nothing = [](DockAppsViewModel &) {};
    const Edit addFirefox = [](DockAppsViewModel &m) { m.addApp(installedApp(m, "Firefox")); };
    const Edit lastToTop = [](DockAppsViewModel &m) { m.moveApps({5}, 0); };
    const Edit search = [](DockAppsViewModel &m) { m.setSearchText("ter"); };
    const Edit editWhileScanning = [](DockAppsViewModel &m) {
        // After the Dock is read, before the scan's result arrives.
        QObject context;
        QObject::connect(&m, &DockAppsViewModel::isLoadingChanged, &context, [&m] {
            if (!m.isLoading())
                return;
            m.removeApp(m.currentApps().first());
            m.moveApps({0}, 5);
            m.addSpacer(false);
        });
        await(m.load());
    };

    dataRow("load", nothing, loaded(nothing),
            QStringList{"apps reset", "others reset", "available insert 0-19"}, false);
    dataRow("the scan ends while the lists are edited", nothing, editWhileScanning,
            QStringList{"apps reset", "others reset", "apps remove 0-0", "apps move 0>5", "others insert 3-3",
                        "available insert 0-20"},
            true);
    dataRow("add", loaded(nothing), addFirefox, QStringList{"apps insert 6-6", "available remove 4-4"}, true);
    dataRow("remove", loaded(nothing),
            Edit([](DockAppsViewModel &m) { m.removeApp(m.currentApps().first()); }),
            QStringList{"apps remove 0-0", "available insert 13-13"}, true);
    dataRow("remove an application held twice",
            loaded([](DockAppsViewModel &m) { m.addApp(installedApp(m, "Mail")); }),
            Edit([](DockAppsViewModel &m) { m.removeApp(m.currentApps().last()); }),
            QStringList{"apps remove 6-6", "apps remove 1-1", "available insert 9-9"}, true);
    dataRow("remove what the Dock does not hold", loaded(nothing),
            Edit([](DockAppsViewModel &m) { m.removeApp(appEntry("file:///nowhere.app/", "Nowhere")); }),
            QStringList(), true);
    dataRow("move the last to the top", loaded(nothing), lastToTop, QStringList{"apps move 5>0"}, true);
    dataRow("move the first to the end", loaded(nothing),
            Edit([](DockAppsViewModel &m) { m.moveApps({0}, 6); }), QStringList{"apps move 0>6"}, true);
    const Edit twoApart = [](DockAppsViewModel &m) { m.moveApps({3, 0}, 2); };
    dataRow("move two apart", loaded(nothing), twoApart, QStringList{"apps move 3>2", "apps move 0>2"}, true);
    dataRow("move onto itself", loaded(nothing), Edit([](DockAppsViewModel &m) { m.moveApps({2}, 3); }),
            QStringList(), true);
    const Edit addFolderAndSpacer = [](DockAppsViewModel &m) {
        m.addFolder(QUrl("file:///Users/Shared/"));
        m.addSpacer(true);
    };
    dataRow("add a folder and a spacer", loaded(nothing), addFolderAndSpacer,
            QStringList{"others insert 3-3", "others insert 4-4"}, true);
    const Edit removeAndMoveOthers = [](DockAppsViewModel &m) {
        m.removeOther(m.currentOthers().at(1));
        m.moveOthers({0}, 2);
    };
    dataRow("remove and move the others", loaded(nothing), removeAndMoveOthers,
            QStringList{"others remove 1-1", "others move 0>2"}, true);
    dataRow("search", loaded(nothing), search,
            QStringList{"available remove 16-19", "available remove 7-14", "available remove 0-5"}, false);
    dataRow("search, then clear it", loaded(search), Edit([](DockAppsViewModel &m) { m.setSearchText(" "); }),
            QStringList{"available insert 0-5", "available insert 7-14", "available insert 16-19"}, false);
    const Edit moveAndAdd = [lastToTop, addFirefox](DockAppsViewModel &m) {
        lastToTop(m);
        addFirefox(m);
    };
    dataRow("revert", loaded(moveAndAdd), Edit([](DockAppsViewModel &m) { await(m.revert()); }),
            QStringList{"apps reset", "available insert 4-4", "others reset"}, false);
    dataRow("apply", loaded(lastToTop), Edit([](DockAppsViewModel &m) { await(m.apply()); }), QStringList(),
            false);
}

void TestDock::listsAnnounceEachRow()
{
    QFETCH(Edit, prepare);
    QFETCH(Edit, edit);
    QFETCH(QStringList, announced);
    QFETCH(bool, dirty);
    TestRoot root;
    DockAppsViewModel model(root.platform());
    DockListsWatch watch(model);
    prepare(model);
    watch.check();
    watch.take();
    edit(model);
    QCOMPARE(watch.take(), announced);
    watch.check();
    QCOMPARE(model.isDirty(), dirty);
}

void TestDock::aSecondScanAnnouncesOnlyWhatChanged()
{
    TestRoot root;
    DockAppsViewModel model(root.platform());
    await(model.load());
    const QString apps = root.path() + "/Applications";
    makeBundle(apps + "/Firefox.app",
               {{"CFBundleName", "Numbers"}, {"CFBundleIdentifier", "org.mozilla.firefox"}});
    QVERIFY(QDir(root.root().home() + "/Applications/Tasks.app").removeRecursively());
    makeBundle(apps + "/Alpha.app", {{"CFBundleName", "Alpha"}});
    DockListsWatch watch(model);
    await(model.load()); // the page shown again
    // Firefox, renamed, moves from fifth to after Messages and shows its new name.
    QCOMPARE(watch.take(), (QStringList{"others reset", "available remove 14-14", "available insert 1-1",
                                        "available move 5>12", "available change 11-11"}));
    watch.check();
    QCOMPARE(names(model.availableApps()).mid(10, 3), (QStringList{"Messages", "Numbers", "Pages"}));
}

void TestDock::editsMarkDirtyAndAnnounceOnlyChanges()
{
    TestRoot root;
    DockAppsViewModel model(root.platform());
    await(model.load());
    QSignalSpy dirty(&model, &DockAppsViewModel::isDirtyChanged);
    QSignalSpy apps(&model, &DockAppsViewModel::currentAppsChanged);
    QSignalSpy search(&model, &DockAppsViewModel::searchTextChanged);
    const InstalledApp xcode = installedApp(model, "Xcode");
    model.addApp(xcode);
    QCOMPARE(model.currentApps().last(),
             appEntry(xcode.url.toString(QUrl::FullyEncoded), "Xcode", OptText("com.apple.dt.Xcode")));
    model.removeApp(model.currentApps().last());
    QCOMPARE(model.currentApps().size(), 6);
    QCOMPARE(apps.count(), 2);
    QCOMPARE(dirty.count(), 1);

    // A folder comes with display modes of its own, and keeps its extension.
    model.addFolder(QUrl::fromLocalFile(root.root().home() + "/Downloads/"));
    const DockOtherEntry folder = model.currentOthers().last();
    QCOMPARE(describe(folder),
             "folder | " + file(root.root().home() + "/Downloads/") + " | Downloads | 2 | 1");
    model.addFolder(QUrl::fromLocalFile(root.root().home() + "/Projects.old"));
    model.addSpacer(true);
    model.addSpacer(false);
    QCOMPARE(describe(model.currentOthers().last()), QStringLiteral("spacer | - | Spacer | - | -"));
    model.removeOther(folder);
    QCOMPARE(labels(model.currentOthers()).mid(3), (QStringList{"Projects.old", "Small Spacer", "Spacer"}));

    model.setSearchText("x");
    model.setSearchText("x");
    QCOMPARE(search.count(), 1);
}

void TestDock::revertReadsTheDockAgainNotTheApplications()
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
    QCOMPARE(installedChanged.count() + loading.count() + dockRestarts(root), 0);
}

void TestDock::applyFailures_data()
{
    QTest::addColumn<bool>("editor"); // applied from the editor's model, else as the tweak
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("error"); // the start of the error; "%1" the root
    for (const bool editor : {false, true}) {
        const char *via = editor ? "editor" : "tweak";
        QTest::addRow("%s, killall missing", via) << editor << "killall"
                                                  << "Could not launch %1/missing/killall Dock";
        QTest::addRow("%s, killall exits 1", via) << editor << "killall exits 1"
                                                  << "";
        QTest::addRow("%s, preference unwritable", via) << editor << "preference"
                                                        << "The Dock's preferences could not be written";
    }
}

void TestDock::applyFailures()
{
    QFETCH(bool, editor);
    QFETCH(QString, failure);
    QFETCH(QString, error);
    TestRoot root;
    DockAppsViewModel model(root.platform());
    if (editor) {
        await(model.load());
        model.addSpacer(false);
    }
    if (failure == "killall")
        root.platform().setKillallToolPath(root.path() + "/missing/killall");
    else if (failure == "killall exits 1")
        root.platform().setKillallToolPath(
            root.writeFailingTool("killall", "No matching processes belonging to you were found"));
    else // another program leaves the Dock's file damaged after the page read it
        writeBytes(*root.root().domainFile(kDock), "bplist00 damaged");
    std::optional<QString> lastError;
    if (editor) {
        await(model.apply());
        QCOMPARE(model.isDirty(), failure == "preference");
        lastError = model.lastError();
    } else {
        const Status applied = await(DockAppsTweakHandler().apply(
            root.platform(),
            TweakValue::ofString(
                R"({"apps":[{"url":"file:///Applications/Xcode.app/","label":"Xcode"}],"others":[]})")));
        if (!applied)
            lastError = applied.error();
    }
    QCOMPARE(lastError.has_value(), !error.isEmpty());
    if (lastError)
        QVERIFY2(lastError->startsWith(QString(error).replace("%1", root.path())), qPrintable(*lastError));
    // Whatever failed, what the Dock holds is what was asked for, or nothing at all: a damaged file
    // is left alone; the tweak writes the applications, then the others once the Dock restarted.
    if (failure == "preference") {
        QCOMPARE(readAll(*root.root().domainFile(kDock)), QByteArray("bplist00 damaged"));
        QCOMPARE(dockRestarts(root), 0);
    } else if (editor) {
        QCOMPARE(DockPreferences::readOthers(root.platform()).size(), 4);
    } else {
        QCOMPARE(labels(DockPreferences::readApps(root.platform())), QStringList{"Xcode"});
        QCOMPARE(DockPreferences::readOthers(root.platform()).size(), failure == "killall" ? 3 : 0);
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
    const QVariantList apps = expectedAfterRoundTrip(dock["persistent-apps"], true);
    QCOMPARE(withoutGUIDs(after["persistent-apps"]),
             (QVariantList{apps[0], apps[4], apps[5], apps[1], apps[2], apps[3]}));
    const QVariantList others = expectedAfterRoundTrip(dock["persistent-others"], false);
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

    // Edit what --json shows: Slack out, the link first; apply it from a file, then from standard input.
    const ProgramRun json = runVelmoractl(root, {"dock", "show", "--json"});
    QCOMPARE(json.exitCode, 0);
    QVERIFY(DockProfilePayload::fromJson(json.out.toUtf8()));
    QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QJsonArray apps = object["apps"].toArray(), others = object["others"].toArray();
    apps.removeAt(4);
    others.prepend(others.takeAt(2));
    object["apps"] = apps;
    object["others"] = others;
    QTemporaryDir dir;
    writeBytes(dir.filePath("dock.json"), QJsonDocument(object).toJson());
    const QVariantMap before = root.domain(kDock);
    const ProgramRun applied = runVelmoractl(root, {"dock", "apply", dir.filePath("dock.json")});
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

    const ProgramRun array = runVelmoractl(root, {"dock", "apply", "-"},
                                           R"([{"url":"file:///Applications/Xcode.app/","label":"Xcode"}])");
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
    const auto row = [](const char *name, const QStringList &args, const QByteArray &input, int exitCode,
                        const QString &message) {
        QTest::newRow(name) << args << input << exitCode << message;
    };
    // Command lines that are no command are tst_cli's, for every verb alike.
    const QStringList stdinApply{"dock", "apply", "-"};
    row("missing file", {"dock", "apply", "/no/such/file.json"}, {}, 1, "Could not read /no/such/file.json");
    row("the default", stdinApply, "{}", 1, "holds neither the Dock's contents");
    row("not UTF-8", stdinApply, "[\xff]", 1, "is not UTF-8 text");
    row("entry without entryID", stdinApply, R"({"apps":[],"others":[{"label":"S","itemType":"spacer"}]})", 1,
        "The key \"entryID\" is missing.");
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
