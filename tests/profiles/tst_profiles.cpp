// Profiles: the file, its review, the menu and applying a profile, on a simulated Mac.

#include "ProfileApp.h"
#include "engine/TweakEngine.h"
#include "gui/app/MainWindow.h"
#include "gui/app/VelmoraApp.h"
#include "gui/kit/Style.h"
#include "gui/profiles/ProfileDiffView.h"
#include "gui/profiles/ProfileMenu.h"
#include "profiles/ProfileApplier.h"
#include "profiles/ProfileDiffItem.h"
#include "profiles/ProfileDocument.h"
#include "support/FakePanels.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::ProfileDiffItem)

namespace {

Tweak tweak(const char *id)
{
    return *TweakRegistry::shared().tweak(QString::fromLatin1(id));
}

Profile sampleProfile()
{
    Profile p;
    p.id = QUuid::fromString(QStringLiteral("6F9619FF-8B86-D011-B42D-00CF4FC964FF"));
    p.name = "Profile 2026-12-05";
    p.createdAt = QDateTime(QDate(2026, 12, 5), QTime(9, 30, 15), Qt::UTC);
    p.schemaVersion = 1;
    p.appVersion = "0.1.0";
    p.values = {{"dock.tilesize", TweakValue::ofInt(64)},
                {"dock.autohide", TweakValue::ofBool(true)},
                {"dock.autohide-delay", TweakValue::ofDouble(0.25)},
                {"appearance.interface-style", TweakValue::ofString("Light")},
                {"dock.apps", TweakValue::ofString(R"({"apps":[],"others":[]})")},
                {"wallpaper.config", TweakValue::ofString(R"({"scaling":"fill","allowClipping":true})")},
                {"future.tweak", TweakValue::ofString("kept")}};
    return p;
}

/// Overwrites a domain's file with bytes no property-list reader accepts.
void damageDomain(const TestRoot &root, const QString &domain)
{
    QFile f(*root.root().domainFile(domain));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("bplist00 damaged");
}

/// A profile whose first value (in id order) lands in the Dock's domain and whose second in the Finder's.
Profile dockThenFinder()
{
    Profile p = sampleProfile();
    p.values = {{"dock.tilesize", TweakValue::ofInt(64)}, {"finder.show-pathbar", TweakValue::ofBool(false)}};
    return p;
}

QByteArray xmlOf(const QVariantMap &plist)
{
    return *PropertyList::serialize(plist, PropertyList::Format::xml);
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

ProfileDiffItem item(const QString &title, std::optional<TweakValue> current, TweakValue fresh)
{
    ProfileDiffItem i;
    i.id = title;
    i.title = title;
    i.currentValue = current;
    i.newValue = fresh;
    i.sameState = current && *current == fresh;
    return i;
}

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Style::apply(false); }
    void roundTrip_data();
    void roundTrip();
    void longValuesSaveAsBeforeAndLoadHeldAsBytes_data();
    void longValuesSaveAsBeforeAndLoadHeldAsBytes();
    void makingFromTheCurrentState();
    void brokenFiles_data();
    void brokenFiles();
    void filesOfOtherWriters();
    void savingNeverLeavesAHalfFile();
    void diffItems();
    void reviewSheetTexts_data();
    void reviewSheetTexts();
    void reviewShortensValuesOfMegabytes_data();
    void reviewShortensValuesOfMegabytes();
    void reviewOfEveryValueFillsInBetweenEvents();
    void applyProfileSkipsUnknownAndRestartsOnce();
    void saveThenLoadThroughTheMenu();
    void loadingSomethingElseSaysWhy_data();
    void loadingSomethingElseSaysWhy();
    void menuTellsOfUnreadableDomainsAndFailedValues();
    void cli();
    void cliTellsOfUnreadableDomainsAndFailedValues();
};

void TestProfiles::roundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("xml") << int(PropertyList::Format::xml);
    QTest::newRow("binary") << int(PropertyList::Format::binary);
}

void TestProfiles::roundTrip()
{
    QFETCH(int, format);
    Profile original = sampleProfile();
    original.createdAt = original.createdAt.addMSecs(740); // only whole seconds are kept
    original.notes = "for the laptop";
    const QByteArray bytes =
        *PropertyList::serialize(original.toPropertyList(), PropertyList::Format(format));
    const Result<Profile> back = Profile::decode(bytes);
    QVERIFY2(back.ok(), qPrintable(back.error()));
    QCOMPARE(back->createdAt, QDateTime(QDate(2026, 12, 5), QTime(9, 30, 15), Qt::UTC));
    QCOMPARE(back->values, original.values);
    QCOMPARE(back->values.value("future.tweak"), TweakValue::ofString("kept"));
    QCOMPARE(back->notes, original.notes);
    QCOMPARE(back->id, original.id);
    // The XML the application writes: upper-case UUID, no notes when there are none.
    original.notes.reset();
    const QString xml = QString::fromUtf8(*original.encode());
    QVERIFY(xml.contains("<string>6F9619FF-8B86-D011-B42D-00CF4FC964FF</string>"));
    QVERIFY(!xml.contains("<key>notes</key>"));
    QVERIFY(xml.contains("<date>2026-12-05T09:30:15Z</date>"));
}

void TestProfiles::longValuesSaveAsBeforeAndLoadHeldAsBytes_data()
{
    QTest::addColumn<QStringList>("texts"); // the long values, as wallpaper.config and then others
    QTest::addColumn<bool>("heldAsBytes");  // whether they come back held as UTF-8
    const QString picture =
        QStringLiteral(R"({"imagePath":"/Users/user/Pictures/a b.png","scaling":"fill","allowClipping":true,)"
                       R"("embeddedImageData":"%1"})")
            .arg(QString(300'000, 'A') + "+/09==");
    QTest::newRow("a picture in Base64") << QStringList{picture} << true;
    QTest::newRow("two long values") << QStringList{picture, QString(70'000, 'b') + "\"quoted'"} << true;
    // XML escapes these; such a text takes the ordinary way and must come back all the same.
    QTest::newRow("a long text with markup") << QStringList{QString(70'000, 'c') + "<&>"} << false;
    QTest::newRow("a long text beyond ASCII") << QStringList{QString(70'000, QChar(0x00E9))} << false;
    QTest::newRow("a long text of lines") << QStringList{QString(70'000, 'd') + "\r\n\t"} << false;
}

void TestProfiles::longValuesSaveAsBeforeAndLoadHeldAsBytes()
{
    QFETCH(QStringList, texts);
    QFETCH(bool, heldAsBytes);
    Profile asText = sampleProfile();
    Profile asBytes = sampleProfile();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString id =
            i == 0 ? QStringLiteral("wallpaper.config") : QStringLiteral("future.long%1").arg(i);
        asText.values.insert(id, TweakValue::ofString(texts[i]));
        asBytes.values.insert(id, TweakValue::ofUtf8(texts[i].toUtf8()));
    }
    // Byte for byte the XML libplist writes of the whole tree, whichever way the values are held.
    const QByteArray before = *PropertyList::serialize(asText.toPropertyList(), PropertyList::Format::xml);
    QVERIFY(*asText.encode() == before);
    QVERIFY(*asBytes.encode() == before);
    TestRoot root;
    const QString path = root.path() + "/long.velmoraprofile";
    QVERIFY(ProfileDocument(asBytes).write(path));
    QVERIFY(readAll(path) == before);

    // Read back, from that file and from the binary form, the values are the same texts.
    const Result<ProfileDocument> read = ProfileDocument::read(path);
    QVERIFY2(read, qPrintable(read.error()));
    QCOMPARE(read->profile().values, asText.values);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString id =
            i == 0 ? QStringLiteral("wallpaper.config") : QStringLiteral("future.long%1").arg(i);
        QCOMPARE(read->profile().values.value(id).holdsUtf8(), heldAsBytes);
    }
    const Result<Profile> binary =
        Profile::decode(*PropertyList::serialize(asBytes.toPropertyList(), PropertyList::Format::binary));
    QVERIFY(binary);
    QCOMPARE(binary->values, asText.values);
}

void TestProfiles::makingFromTheCurrentState()
{
    TestRoot root;
    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    const Profile p = await(Profile::makeFromCurrentState(&engine, "0.1.0"));
    QCOMPARE(p.name, "Profile " + QDate::currentDate().toString("yyyy-MM-dd"));
    QCOMPARE(p.schemaVersion, 1);
    QVERIFY(!p.notes);
    QVERIFY(qAbs(p.createdAt.secsTo(QDateTime::currentDateTimeUtc())) < 5);
    QCOMPARE(p.values.value("dock.tilesize"), TweakValue::ofInt(48)); // read afresh
    QVERIFY(!p.values.contains("dock.scroll-to-open"));               // nothing stored, nothing saved
    QCOMPARE(p.values.size(), engine.currentValues().size());
    QCOMPARE(await(Profile::makeFromCurrentState(&engine, QString())).appVersion, QStringLiteral("0.0.0"));
}

void TestProfiles::brokenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    const QVariantMap good = sampleProfile().toPropertyList();
    for (const char *key : {"id", "name", "createdAt", "schemaVersion", "appVersion", "values"}) {
        QVariantMap missing = good;
        missing.remove(key);
        QTest::newRow(qPrintable(QString("without %1").arg(key))) << xmlOf(missing) << false;
    }
    auto with = [&good](const char *key, const QVariant &value) {
        QVariantMap changed = good;
        changed.insert(key, value);
        return xmlOf(changed);
    };
    QTest::newRow("id as integer") << with("id", qint64(7)) << false;
    QTest::newRow("id not a UUID") << with("id", "not-a-uuid") << false;
    QTest::newRow("id in braces") << with("id", "{6F9619FF-8B86-D011-B42D-00CF4FC964FF}") << false;
    QTest::newRow("id lower case") << with("id", "6f9619ff-8b86-d011-b42d-00cf4fc964ff") << true;
    QTest::newRow("id and a newline") << with("id", "6F9619FF-8B86-D011-B42D-00CF4FC964FF\n") << false;
    QTest::newRow("createdAt as string") << with("createdAt", "2026-12-05") << false;
    QTest::newRow("schemaVersion as string") << with("schemaVersion", "1") << false;
    QTest::newRow("schemaVersion as real") << with("schemaVersion", 1.0) << false;
    QTest::newRow("schemaVersion 7") << with("schemaVersion", qint64(7)) << true;
    QTest::newRow("future appVersion") << with("appVersion", "99.0") << true;
    QTest::newRow("values as array") << with("values", QVariantList()) << false;
    QTest::newRow("notes as integer") << with("notes", qint64(1)) << false;
    QTest::newRow("notes as text") << with("notes", "hello") << true;
    QTest::newRow("unknown key") << with("color", "blue") << true;
    QVariantMap twoCases{{"int", QVariantMap{{"_0", qint64(1)}}}, {"bool", QVariantMap{{"_0", true}}}};
    QTest::newRow("value with two cases")
        << with("values", QVariantMap{{"dock.tilesize", twoCases}}) << false;
    QTest::newRow("value without _0")
        << with("values", QVariantMap{{"dock.autohide", QVariantMap{{"bool", QVariantMap()}}}}) << false;
    QTest::newRow("empty values") << with("values", QVariantMap()) << true;
    QTest::newRow("not a property list") << QByteArray("name = Profile;") << false;
    QTest::newRow("a plist array") << *PropertyList::serialize(QVariantList{1}, PropertyList::Format::xml)
                                   << false;
    QTest::newRow("empty file") << QByteArray() << false;
}

void TestProfiles::brokenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = writeFile(dir, "p.plist", bytes);
    const Result<ProfileDocument> read = ProfileDocument::read(path);
    QCOMPARE(read.ok(), loads);
    if (!loads)
        QVERIFY(!read.error().isEmpty());
    // A folder is no profile either.
    QVERIFY(ProfileDocument::read(dir.path()).error().contains("isn’t in the correct format"));
}

void TestProfiles::filesOfOtherWriters()
{
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        QSKIP("python3 is not installed");
    QTemporaryDir dir;
    // Written by Python's plistlib, keys in its own order, as XML and as binary.
    const QString script = QStringLiteral(R"(
import plistlib, datetime, sys
p = {"values": {"dock.tilesize": {"int": {"_0": 30}}, "dock.autohide-delay": {"double": {"_0": 2.0}},
                "dock.orientation": {"string": {"_0": "left"}}},
     "appVersion": "9.9", "schemaVersion": 3, "name": "From Python", "extra": [1, 2],
     "createdAt": datetime.datetime(2026, 1, 2, 3, 4, 5), "id": "0E1F2A3B-4C5D-6E7F-8091-A2B3C4D5E6F7"}
for fmt, name in ((plistlib.FMT_XML, "x.plist"), (plistlib.FMT_BINARY, "b.plist")):
    with open(sys.argv[1] + "/" + name, "wb") as f:
        plistlib.dump(p, f, fmt=fmt, sort_keys=False)
with open(sys.argv[1] + "/ours.plist", "rb") as f:
    ours = plistlib.load(f)
kinds = {k: type(v).__name__ for k, v in ours.items()}
print(sorted(kinds.items()), type(ours["values"]["dock.tilesize"]["int"]["_0"]).__name__,
      type(ours["values"]["dock.autohide-delay"]["double"]["_0"]).__name__)
)");
    const Profile ours = sampleProfile();
    QVERIFY(ProfileDocument(ours).write(dir.filePath("ours.plist")).ok());
    QProcess py;
    py.start(python, {"-c", script, dir.path()});
    QVERIFY(py.waitForFinished(30000));
    QCOMPARE(py.exitCode(), 0);
    QCOMPARE(
        QString::fromUtf8(py.readAllStandardOutput()).trimmed(),
        QStringLiteral("[('appVersion', 'str'), ('createdAt', 'datetime'), ('id', 'str'), ('name', 'str'), "
                       "('schemaVersion', 'int'), ('values', 'dict')] int float"));
    for (const char *name : {"x.plist", "b.plist"}) {
        const Result<ProfileDocument> read = ProfileDocument::read(dir.filePath(name));
        QVERIFY2(read.ok(), qPrintable(read.error()));
        QCOMPARE(read->profile().values.value("dock.autohide-delay"), TweakValue::ofDouble(2.0));
        QCOMPARE(read->profile().values.value("dock.tilesize"), TweakValue::ofInt(30));
        QCOMPARE(read->profile().createdAt, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC));
        QCOMPARE(read->profile().schemaVersion, 3);
    }
}

void TestProfiles::savingNeverLeavesAHalfFile()
{
    QTemporaryDir dir;
    // A place that cannot hold a file: the save fails with the path in its text and writes nothing.
    const QString blocked = writeFile(dir, "a-file", "x") + "/p.plist";
    const Status impossible = ProfileDocument(sampleProfile()).write(blocked);
    QVERIFY(!impossible.ok());
    QVERIFY(impossible.error().contains(blocked));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a-file"});

    const QString path = dir.filePath("keep.plist");
    QVERIFY(ProfileDocument(sampleProfile()).write(path).ok());
    const QByteArray before = readAll(path);
    // A folder that cannot be written: the save fails, says why, and the old file stays whole.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    Profile other = sampleProfile();
    other.name = "Other";
    const Status failed = ProfileDocument(other).write(path);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (failed.ok())
        QSKIP("running as a user who can write anywhere");
    QVERIFY(failed.error().contains(path));
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a-file", "keep.plist"}));
}

void TestProfiles::diffItems()
{
    TestRoot root;
    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    Profile p = sampleProfile();
    p.values.insert("keyboard.key-repeat", TweakValue::ofInt(2)); // equals the seeded value
    p.values.insert("general.simulator-screenshot-location", TweakValue::ofString("~/Shots"));
    p.values.insert("appearance.accent-color", TweakValue::ofBool(true)); // another case than stored
    const QList<ProfileDiffItem> items = await(computeItems(p, &engine));
    QStringList titles;
    for (const ProfileDiffItem &i : items)
        titles << i.title;
    // Known ids only, sorted by title ignoring case: "iOS …" sorts among the I's, not after the capitals.
    QVERIFY(!titles.contains("kept"));
    QCOMPARE(items.size(), 9);
    QVERIFY(titles.indexOf("iOS Simulator screenshot location") < titles.indexOf("Key repeat rate"));
    QVERIFY(titles.indexOf("Icon size") < titles.indexOf("iOS Simulator screenshot location"));
    auto find = [&](const QString &id) {
        return *std::find_if(items.cbegin(), items.cend(),
                             [&](const ProfileDiffItem &i) { return i.id == id; });
    };
    QVERIFY(!find("keyboard.key-repeat").isChanged());
    QVERIFY(find("dock.tilesize").isChanged());
    QVERIFY(find("dock.autohide").isChanged());           // the seeded Dock has it off
    QVERIFY(find("appearance.accent-color").isChanged()); // a bool against a stored int
    QVERIFY(!find("general.simulator-screenshot-location").currentValue);
    QVERIFY(find("general.simulator-screenshot-location").isChanged());
}

void TestProfiles::reviewSheetTexts_data()
{
    QTest::addColumn<QList<ProfileDiffItem>>("items");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("apply");
    QTest::addColumn<bool>("noChanges");
    QTest::addColumn<QString>("unchanged"); // the group's label, empty when there is none
    const auto on = TweakValue::ofBool(true);
    QTest::newRow("nothing changes") << QList<ProfileDiffItem>{item("A", on, on)}
                                     << "0 changes will be applied"
                                     << "Apply 0 Changes" << true << "";
    QTest::newRow("one and one") << QList<ProfileDiffItem>{item("A", on, on), item("B", std::nullopt, on)}
                                 << "1 change will be applied"
                                 << "Apply 1 Change" << false << "1 unchanged setting";
    QTest::newRow("three") << QList<ProfileDiffItem>{item("A", TweakValue::ofInt(1), on),
                                                     item("B", std::nullopt, on),
                                                     item("C", TweakValue::ofDouble(0.5),
                                                          TweakValue::ofDouble(1))}
                           << "3 changes will be applied"
                           << "Apply 3 Changes" << false << "";
}

void TestProfiles::reviewSheetTexts()
{
    QFETCH(QList<ProfileDiffItem>, items);
    QFETCH(QString, summary);
    QFETCH(QString, apply);
    QFETCH(bool, noChanges);
    QFETCH(QString, unchanged);
    TestRoot root;
    ProfileDiffView sheet(sampleProfile(), items, root.platform().symbols());
    sheet.show();
    QCOMPARE(sheet.headerText(), QStringLiteral("Profile: Profile 2026-12-05"));
    QCOMPARE(sheet.summaryText(), summary);
    QCOMPARE(sheet.applyButton()->text(), apply);
    QCOMPARE(sheet.applyButton()->isEnabled(), !noChanges);
    QCOMPARE(sheet.emptyState() != nullptr, noChanges);
    QCOMPARE(sheet.unchangedToggle() ? sheet.unchangedToggle()->text() : QString(), unchanged);
    if (sheet.unchangedToggle()) {
        QVERIFY(sheet.unchangedRows()->isHidden()); // collapsed when the sheet opens
        QTest::mouseClick(sheet.unchangedToggle(), Qt::LeftButton);
        QVERIFY(!sheet.unchangedRows()->isHidden());
    }
    // Changed rows show the old value struck through, then the new one.
    for (const ProfileDiffItem &i : items) {
        if (noChanges)
            break; // matching values are not listed at all then
        QWidget *row = sheet.findChild<QWidget *>(i.id);
        QVERIFY(row);
        if (i.isChanged()) {
            auto *old = row->findChild<QLabel *>("old");
            QCOMPARE(old->text(), displayText(i.currentValue));
            QVERIFY(old->font().strikeOut());
        }
        QCOMPARE(row->findChild<QLabel *>("new")->text(), i.newValue.displayText());
    }
    QSignalSpy cancelled(&sheet, &ProfileDiffView::cancelRequested);
    QSignalSpy applied(&sheet, &ProfileDiffView::applyRequested);
    QTest::keyClick(&sheet, Qt::Key_Return);
    QCOMPARE(applied.count(), noChanges ? 0 : 1);
    if (noChanges) {
        QTest::keyClick(&sheet, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
    }
}

void TestProfiles::reviewShortensValuesOfMegabytes_data()
{
    QTest::addColumn<bool>("asBytes");
    QTest::addColumn<QChar>("fill");
    QTest::newRow("held as UTF-16") << false << QChar('A');
    QTest::newRow("held as UTF-8") << true << QChar('A');
    // Cut where a character of two bytes would be split, were it cut on bytes alone.
    QTest::newRow("held as UTF-8, two bytes a character") << true << QChar(0x00E9);
}

void TestProfiles::reviewShortensValuesOfMegabytes()
{
    QFETCH(bool, asBytes);
    QFETCH(QChar, fill);
    // The wallpaper's value carries its picture: laying out all of it took seconds.
    TestRoot root;
    const QString huge = "{\"embeddedImageData\":\"" + QString(8'000'001, fill) + "\"}";
    const TweakValue value = asBytes ? TweakValue::ofUtf8(huge.toUtf8()) : TweakValue::ofString(huge);
    QElapsedTimer clock;
    clock.start();
    ProfileDiffView sheet(sampleProfile(), {item("Wallpaper", TweakValue::ofString("{}"), value)},
                          root.platform().symbols());
    sheet.show();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    auto *fresh = sheet.findChild<QWidget *>("Wallpaper")->findChild<QLabel *>("new");
    QVERIFY(fresh->text().startsWith("{\"emb"));
    QVERIFY(fresh->text().endsWith(QString(fill) + "\"}"));
    QVERIFY(fresh->text().size() < 400);
    // The tip holds both ends, not the whole text, and no character broken in two.
    QVERIFY(fresh->toolTip().size() <= 4001);
    QVERIFY(fresh->toolTip().endsWith(QString(3, fill) + "\"}"));
    QVERIFY(!fresh->toolTip().contains(QChar::ReplacementCharacter));
}

void TestProfiles::reviewOfEveryValueFillsInBetweenEvents()
{
    // A profile of every value: built at once, its rows held the window up for a tenth of a second.
    // The sheet comes with its first rows; the others arrive between events, all of them, in order.
    TestRoot root;
    QList<ProfileDiffItem> items;
    QStringList changed;
    QStringList unchanged;
    for (int i = 0; i < 133; ++i) {
        const QString id = QStringLiteral("value %1").arg(i, 3, 10, QLatin1Char('0'));
        const bool same = i % 10 == 9;
        items << item(id, TweakValue::ofInt(i), TweakValue::ofInt(same ? i : i + 1));
        (same ? unchanged : changed) << id;
    }
    ProfileDiffView sheet(sampleProfile(), items, root.platform().symbols());
    sheet.show();
    QSignalSpy completed(&sheet, &ProfileDiffView::completed);
    const auto rowNames = [&sheet](QWidget *container) {
        QStringList names;
        for (QWidget *row : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            names << row->objectName();
        return names;
    };
    QWidget *firstRow = sheet.findChild<QWidget *>(changed.first());
    QVERIFY(firstRow);
    QVERIFY(!sheet.isComplete());
    QVERIFY(!sheet.findChild<QWidget *>(unchanged.last()));
    QCOMPARE(sheet.applyButton()->text(), QStringLiteral("Apply 120 Changes"));
    QTRY_VERIFY(sheet.isComplete());
    QCOMPARE(completed.count(), 1);
    QCOMPARE(rowNames(firstRow->parentWidget()), changed);
    QCOMPARE(rowNames(sheet.unchangedRows()), unchanged);
    QCOMPARE(sheet.findChild<QWidget *>("value 008")->findChild<QLabel *>("new")->text(),
             QStringLiteral("9"));
}

void TestProfiles::applyProfileSkipsUnknownAndRestartsOnce()
{
    TestRoot root;
    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    Profile p;
    p.values = {{"dock.tilesize", TweakValue::ofInt(64)},
                {"finder.show-hidden-files", TweakValue::ofBool(true)},
                {"mission-control.spans-displays", TweakValue::ofBool(true)},
                {"no.such.tweak", TweakValue::ofInt(1)}};
    const ProfileApplyReport applied = await(applyProfile(&engine, p));
    QVERIFY(applied.ok());
    QCOMPARE(applied.attempted, 3); // the unknown id is not counted
    QCOMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(64)));
    QCOMPARE(root.domain("com.apple.finder").value("AppleShowAllFiles"), QVariant(true));
    QVERIFY(engine.pendingRestarts().isEmpty());
    QStringList restarted;
    for (const QString &line : root.restartLog())
        restarted << line.section('\t', 1);
    QCOMPARE(restarted, (QStringList{"Dock", "Finder", "SystemUIServer"})); // each once

    // A value that fails leaves its text; later successes clear it; the pending set still ends empty.
    const QString real = root.platform().defaultsToolPath();
    root.platform().setDefaultsToolPath(root.writeTool(
        "defaults", "#!/bin/sh\ncase \"$*\" in *tilesize*) echo refused >&2; exit 1;; esac\nexec '" +
                        real.toUtf8() + "' \"$@\"\n"));
    Profile failing;
    failing.values = {{"dock.autohide", TweakValue::ofBool(true)}, {"dock.tilesize", TweakValue::ofInt(30)}};
    const ProfileApplyReport failed = await(applyProfile(&engine, failing)); // dock.tilesize fails last
    QVERIFY(engine.lastError() && engine.lastError()->contains("refused"));
    QVERIFY(engine.pendingRestarts().isEmpty());
    QCOMPARE(failed.attempted, 2);
    QCOMPARE(failed.failures.size(), 1);
    QCOMPARE(failed.failures.first().tweakID, QStringLiteral("dock.tilesize"));
    QCOMPARE(failed.failures.first().title, QStringLiteral("Icon size"));
    QVERIFY(failed.failures.first().reason.contains("refused"));
    Profile recovering;
    recovering.values = {{"dock.tilesize", TweakValue::ofInt(30)},
                         {"finder.show-pathbar", TweakValue::ofBool(false)}};
    // The failure first, then a success: the engine's last error is cleared, the report still knows.
    const ProfileApplyReport recovered = await(applyProfile(&engine, recovering));
    QVERIFY(!engine.lastError());
    QCOMPARE(recovered.failures.size(), 1);
    QCOMPARE(recovered.failures.first().tweakID, QStringLiteral("dock.tilesize"));
    QCOMPARE(root.domain("com.apple.finder").value("ShowPathbar"), QVariant(false));
}

void TestProfiles::saveThenLoadThroughTheMenu()
{
    ProfileApp a;
    TestRoot &root = a.root;
    FakePanels *panels = a.panels;
    ProfileMenu *menu = a.menu();
    QCOMPARE(menu->text(), QStringLiteral("Profiles"));
    TweakEngine &engine = a.app.engine();

    // Change three tweaks, save (the panel adds the extension), reset them, load the file.
    QVERIFY(await(engine.apply(TweakValue::ofInt(64), tweak("dock.tilesize"))));
    QVERIFY(await(engine.apply(TweakValue::ofString("Light"), tweak("appearance.interface-style"))));
    QVERIFY(await(engine.apply(TweakValue::ofBool(true), tweak("finder.show-hidden-files"))));
    QTemporaryDir dir;
    panels->answers.enqueue(dir.filePath("Velmora Profile"));
    menu->saveAction()->trigger();
    QTRY_VERIFY(QFile::exists(dir.filePath("Velmora Profile.plist")));
    QCOMPARE(panels->suggestedNames, QStringList{"Velmora Profile"});
    for (const char *id : {"dock.tilesize", "appearance.interface-style", "finder.show-hidden-files"})
        await(engine.reset(tweak(id)));
    await(engine.restartPending());
    const int restartsBefore = root.restartLog().size();

    panels->answers.enqueue(dir.filePath("Velmora Profile.plist"));
    menu->loadAction()->trigger();
    QTRY_VERIFY(menu->reviewSheet());
    ProfileDiffView *sheet = menu->reviewSheet();
    QCOMPARE(sheet->applyButton()->text(), QStringLiteral("Apply 3 Changes"));
    QTest::mouseClick(sheet->applyButton(), Qt::LeftButton);
    QTRY_VERIFY(!menu->reviewSheet());
    QTRY_COMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(64)));
    // Every value of the profile is applied, then each process it needs is restarted once.
    auto restarted = [&] {
        QStringList names;
        for (const QString &line : root.restartLog().mid(restartsBefore))
            names << line.section('\t', 1);
        return names;
    };
    QTRY_VERIFY(restarted().contains("Dock") && restarted().contains("Finder"));
    QTRY_VERIFY(engine.pendingRestarts().isEmpty());
    QTest::qWait(300);
    // The pending restarts run once at the end (the Dock's contents restart the Dock by themselves
    // as they are written, so "Dock" shows up more often).
    const QStringList names = restarted();
    QCOMPARE(names.count("Finder"), 1);
    QCOMPARE(names.count("SystemUIServer"), 1);
    QCOMPARE(names.last(), QStringLiteral("SystemUIServer"));
    const int afterApply = root.restartLog().size();
    QCOMPARE(root.globalDomain().value("AppleInterfaceStyle"), QVariant("Light"));

    // Reset All Pending with nothing pending restarts nothing.
    menu->resetAction()->trigger();
    QTest::qWait(100);
    QCOMPARE(root.restartLog().size(), afterApply);

    // A save that cannot be written is reported, never silently lost.
    panels->answers.enqueue(root.path() + "/no/such/folder/p.plist");
    menu->saveAction()->trigger();
    QTRY_COMPARE(panels->errors.size(), 1);
    QVERIFY(panels->errors.first().startsWith("The profile could not be saved."));
}

void TestProfiles::loadingSomethingElseSaysWhy_data()
{
    QTest::addColumn<QString>("file"); // written into a temporary folder; "" is the folder itself
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // empty: no alert
    QVariantMap noVersion = sampleProfile().toPropertyList();
    noVersion.remove("appVersion");
    QTest::newRow("a key missing") << "old.plist" << xmlOf(noVersion)
                                   << "“old.plist” isn't a Velmora profile.\n"
                                      "The file is not a profile: the key \"appVersion\" is missing.";
    QTest::newRow("not a property list")
        << "notes.plist" << QByteArray("hello")
        << "“notes.plist” isn't a Velmora profile.\nThe file is not a property list";
    QTest::newRow("a folder") << "" << QByteArray() << "isn't a Velmora profile.\nThe file “";
}

void TestProfiles::loadingSomethingElseSaysWhy()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    ProfileApp a;
    QTemporaryDir dir;
    a.panels->answers.enqueue(file.isEmpty() ? dir.path() : writeFile(dir, file, bytes));
    a.menu()->loadAction()->trigger();
    QTRY_COMPARE(a.panels->errors.size(), 1); // the file is read in the background
    QVERIFY2(a.panels->errors.first().contains(error), qPrintable(a.panels->errors.first()));
    QVERIFY(!a.menu()->reviewSheet());
    // A cancelled panel says nothing.
    a.menu()->loadAction()->trigger();
    QTest::qWait(100);
    QCOMPARE(a.panels->errors.size(), 1);
}

void TestProfiles::menuTellsOfUnreadableDomainsAndFailedValues()
{
    ProfileApp a;
    damageDomain(a.root, "com.apple.dock");
    QTemporaryDir dir;

    // Saving still saves, and says which domain it could not read.
    a.panels->answers.enqueue(dir.filePath("saved.plist"));
    a.menu()->saveAction()->trigger();
    QTRY_COMPARE(a.panels->warnings.size(), 1);
    QVERIFY(ProfileDocument::read(dir.filePath("saved.plist")).ok());
    QVERIFY2(a.panels->warnings.first().startsWith(
                 "The profile was saved without the settings of 1 domain that could not be read.\n"
                 "com.apple.dock: "),
             qPrintable(a.panels->warnings.first()));

    // The Dock's value fails first, the Finder's lands after it; the user hears of the failure
    // although the engine's last error was cleared by the success.
    QVERIFY(ProfileDocument(dockThenFinder()).write(dir.filePath("p.plist")).ok());
    a.panels->answers.enqueue(dir.filePath("p.plist"));
    a.menu()->loadAction()->trigger();
    QTRY_VERIFY(a.menu()->reviewSheet());
    QTest::mouseClick(a.menu()->reviewSheet()->applyButton(), Qt::LeftButton);
    QTRY_COMPARE(a.panels->errors.size(), 1);
    QVERIFY2(
        a.panels->errors.first().startsWith("1 of 2 values could not be applied.\nIcon size: Command failed"),
        qPrintable(a.panels->errors.first()));
    QCOMPARE(a.root.domain("com.apple.finder").value("ShowPathbar"), QVariant(false));
    QVERIFY(!a.app.engine().lastError());

    // With every domain readable there is nothing to say.
    QFile::remove(*a.root.root().domainFile("com.apple.dock"));
    a.panels->answers.enqueue(dir.filePath("again.plist"));
    a.menu()->saveAction()->trigger();
    QTRY_VERIFY(QFile::exists(dir.filePath("again.plist")));
    QTest::qWait(200); // what the save says comes after the file is in place
    QCOMPARE(a.panels->warnings.size(), 1);
}

void TestProfiles::cli()
{
    TestRoot root;
    QTemporaryDir dir;
    const QString file = dir.filePath("p.plist");
    QCOMPARE(runVelmoractl(root, {"set", "dock.tilesize", "64"}).exitCode, 0);
    QCOMPARE(runVelmoractl(root, {"profile", "save", file}).exitCode, 0);
    QCOMPARE(runVelmoractl(root, {"reset", "dock.tilesize"}).exitCode, 0);

    const ProgramRun diff = runVelmoractl(root, {"profile", "diff", file});
    QCOMPARE(diff.exitCode, 0);
    QVERIFY2(diff.out.contains("Icon size: (not set) → 64\n"), qPrintable(diff.out));
    QVERIFY(diff.out.contains("unchanged settings\n"));

    const ProgramRun no = runVelmoractl(root, {"profile", "apply", file}, "n\n");
    QCOMPARE(no.exitCode, 0);
    QVERIFY(no.out.contains("Nothing applied."));
    QVERIFY(!root.domain("com.apple.dock").contains("tilesize"));

    QCOMPARE(runVelmoractl(root, {"profile", "apply", file, "--yes"}).exitCode, 0);
    QCOMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(64)));
    QVERIFY(!root.restartLog().isEmpty());
    QVERIFY(!runVelmoractl(root, {"profile", "diff", file}).out.contains("Icon size:"));

    const ProgramRun bad =
        runVelmoractl(root, {"profile", "diff", writeFile(dir, "bad.plist", "not a profile")});
    QCOMPARE(bad.exitCode, 1);
    QVERIFY(bad.err.contains("is not a profile"));
}

void TestProfiles::cliTellsOfUnreadableDomainsAndFailedValues()
{
    TestRoot root;
    QTemporaryDir dir;
    damageDomain(root, "com.apple.dock");

    const QString saved = dir.filePath("saved.plist");
    const ProgramRun save = runVelmoractl(root, {"profile", "save", saved});
    QCOMPARE(save.exitCode, 0);
    QVERIFY(save.out.startsWith("Saved "));
    QVERIFY2(save.err.startsWith("velmoractl: warning: the domain com.apple.dock could not be read, so the "
                                 "profile holds none of its values (Could not read "),
             qPrintable(save.err));
    QCOMPARE(save.err.count('\n'), 1); // one line per unreadable domain, nothing else
    QVERIFY(ProfileDocument::read(saved).ok());

    const QString file = dir.filePath("p.plist");
    QVERIFY(ProfileDocument(dockThenFinder()).write(file).ok());
    const ProgramRun apply = runVelmoractl(root, {"profile", "apply", file, "--yes"});
    QCOMPARE(apply.exitCode, 1);
    QVERIFY2(apply.err.startsWith(
                 "velmoractl: could not apply Icon size (dock.tilesize): Command failed (exit 1): "
                 "defaults write com.apple.dock tilesize -int 64\n"),
             qPrintable(apply.err));
    QVERIFY(apply.err.endsWith(
        "velmoractl: 1 of 2 values could not be applied; restarted what the others needed.\n"));
    QVERIFY(!apply.out.contains("Applied"));
    QCOMPARE(root.domain("com.apple.finder").value("ShowPathbar"), QVariant(false));
}

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
