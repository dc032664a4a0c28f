// Update checks against a feed served on 127.0.0.1, the "Check for Updates…" item and its windows,
// the Full Disk Access banner, and `velmoractl access`, all on a simulated Mac.

#include "FeedServer.h"
#include "gui/app/FullDiskAccessBanner.h"
#include "gui/app/MainWindow.h"
#include "gui/app/RootView.h"
#include "gui/app/VelmoraApp.h"
#include "gui/kit/Style.h"
#include "gui/updates/CheckForUpdatesView.h"
#include "gui/updates/ReleaseNotesView.h"
#include "gui/updates/UpdateAlertDialogs.h"
#include "platform/FullDiskAccess.h"
#include "platform/OperatingSystem.h"
#include "support/FakePanels.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"
#include "updates/AppVersion.h"
#include "updates/Appcast.h"
#include "updates/FeedUpdater.h"
#include "updates/UpdaterManager.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

#include <unistd.h>

using namespace velmora;
using namespace velmora::test;
using Outcome = UpdateCheckResult::Outcome;

Q_DECLARE_METATYPE(velmora::UpdateCheckResult::Outcome)

namespace {

const QString kApp = QStringLiteral("dev.corrandelwick.Velmora");

QByteArray feed(const QByteArray &items)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">\n"
           "<channel><title>Velmora</title>\n" +
           items + "</channel></rss>\n";
}

QByteArray item(const QByteArray &version, const QByteArray &extraEnclosure = {},
                const QByteArray &extra = {})
{
    QByteArray xml =
        "<item><title>Version @V</title>\n"
        "<sparkle:releaseNotesLink>https://example.org/notes/@V.html</sparkle:releaseNotesLink>\n"
        "<pubDate>Mon, 03 Mar 2025 10:00:00 +0000</pubDate>@X\n"
        "<enclosure url=\"https://example.org/Velmora-@V.zip\" sparkle:version=\"@V\" "
        "sparkle:shortVersionString=\"@V\" length=\"1024\" type=\"application/octet-stream\"@E/>\n"
        "</item>\n";
    return xml.replace("@X", extra).replace("@E", extraEnclosure).replace("@V", version);
}

// An enclosure of version `version`, with more attributes if given.
QByteArray enclosure(const QByteArray &version, const QByteArray &more = {})
{
    return "<enclosure url=\"https://example.org/Velmora-" + version + ".zip\" sparkle:version=\"" + version +
           "\" length=\"1024\" type=\"application/octet-stream\"" + more + "/>";
}

QByteArray plainItem(const QByteArray &body)
{
    return "<item><title>A release</title>" + body + "</item>\n";
}

void setFeed(const TestRoot &root, const QUrl &url)
{
    root.writeDomain(kApp, {{QStringLiteral("SUFeedURL"), url.toString()}});
}

/// Records what an update check would show instead of showing it.
struct RecordingAlerts : UpdateAlerts {
    void showChecking(std::function<void()> cancelCheck) override
    {
        ++checking;
        cancel = std::move(cancelCheck);
    }
    void hideChecking() override { ++hidden; }
    void showUpToDate(const UpdateCheckResult &r) override { record(QStringLiteral("upToDate"), r); }
    void showUpdateAvailable(const UpdateCheckResult &r) override
    {
        record(QStringLiteral("updateAvailable"), r);
    }
    void showError(const UpdateCheckResult &r) override { record(QStringLiteral("error"), r); }

    void record(const QString &kind, const UpdateCheckResult &r)
    {
        kinds << kind;
        results << r;
    }

    int checking = 0;
    int hidden = 0;
    std::function<void()> cancel;
    QStringList kinds;
    QList<UpdateCheckResult> results;
};

QStringList openedURLs(const TestRoot &root)
{
    QStringList urls;
    const QStringList lines =
        QString::fromUtf8(readAll(root.root().openedURLLog())).split('\n', Qt::SkipEmptyParts);
    for (const QString &line : lines)
        urls << line.section('\t', 1);
    return urls;
}

void openMenu(QMenu &menu)
{
    // The item's state is read when its menu opens; a popup shown and closed is a user's glance.
    menu.popup(QPoint(10, 10));
    menu.hide();
}

std::unique_ptr<VelmoraApp> makeApp(const TestRoot &root)
{
    auto app = std::make_unique<VelmoraApp>(root.makePlatform(), std::make_unique<FakePanels>());
    app->showMainWindow();
    return app;
}

void revokeAccess(const TestRoot &root)
{
    QFile::remove(root.root().privacyDatabase());
}

void grantAccess(const TestRoot &root)
{
    QFile file(root.root().privacyDatabase());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("SQLite format 3");
}

// An updater, with no Mac around it, whose checks show the application's own windows.
struct DialogRig {
    TestRoot root{TestRoot::Seed::none};
    FeedServer server;
    QWidget window;
    UpdateAlertDialogs dialogs{root.platform().workspace(), &window};
    FeedUpdater updater{root.platform()};

    DialogRig()
    {
        updater.setCurrentVersion(QStringLiteral("0.1.0"));
        updater.setAlerts(&dialogs);
        updater.start();
    }
};

} // namespace

class TestUpdates : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void versionOrder_data();
    void versionOrder();
    void appcastReading_data();
    void appcastReading();

    void feedSetting_data();
    void feedSetting();
    void checkAgainstServer_data();
    void checkAgainstServer();
    void feedRules_data();
    void feedRules();
    void enablingRuleWhileChecking();
    void cancellingACheck();
    void windowsOfAUserCheck();
    void releaseNotesInTheNewVersionWindow();
    void windowsFitTheirTexts_data();
    void windowsFitTheirTexts();
    void scheduledChecks_data();
    void scheduledChecks();
    void checkFromTheApplicationMenu();

    void accessProbe_data();
    void accessProbe();
    void bannerFollowsAccess();
    void bannerInTheWindowOpensSettingsAndStaysDismissed();
    void accessCommand_data();
    void accessCommand();
};

void TestUpdates::initTestCase()
{
    Style::apply(false);
}

// ----- versions and feeds -----

void TestUpdates::versionOrder_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");
    const auto row = [](const char *name, const char *a, const char *b, int order) {
        QTest::newRow(name) << QString(a) << QString(b) << order;
    };
    // The update framework's standard comparator, case by case.
    row("numbers by value, not as text", "1.10", "1.9", 1);
    row("missing numbers are zeros", "1.2", "1.2.0", 0);
    row("one more number is newer", "1.2.0.1", "1.2", 1);
    row("leading zeros", "1.02", "1.2", 0);
    row("pre-release letters before the release", "1.0.0b7", "1.0.0", -1);
    row("pre-release with fewer numbers", "1.0b7", "1.0.0", -1);
    row("pre-release padded like its release", "1.1b1", "1.1.0b1", 0);
    row("pre-releases by number", "2.0b2", "2.0b10", -1);
    row("alpha before beta", "1.0a1", "1.0b1", -1);
    row("letters keep their case", "1.0B1", "1.0b1", -1);
    row("pre-release after the older release", "2.0b1", "1.9", 1);
    row("a build number in brackets", "1.0 (1234)", "1.0 (1235)", -1);
    row("what follows a dash is not compared", "1.2-rc1", "1.2", 0);
    row("a leading v is a word", "v1.3", "1.3", -1);
    row("numbers past 64 bits are all the largest", "1.99999999999999999999999", "1.99999999999999999999998",
        0);
    row("a large number beats a long one", "1.99999999999999999999999", "1.99999", 1);
    row("a build number against a dotted version", "200", "2.0", 1);
}

void TestUpdates::versionOrder()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    QCOMPARE(AppVersion::compare(AppVersion(a), AppVersion(b)), order);
    QCOMPARE(AppVersion::compare(AppVersion(b), AppVersion(a)), -order);
}

void TestUpdates::appcastReading_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("read"); // "items | newest | shown | download | notes", or "error: " and a part
    const auto row = [](const char *name, const QByteArray &data, const char *read) {
        QTest::newRow(name) << data << QString(read);
    };
    row("enclosure attributes, newest not first", feed(item("0.2.0") + item("0.10.0") + item("0.9.1")),
        "3 | 0.10.0 | 0.10.0 | https://example.org/Velmora-0.10.0.zip | "
        "https://example.org/notes/0.10.0.html");
    row("version elements",
        feed("<item><title>Five</title><sparkle:version>500</sparkle:version>"
             "<sparkle:shortVersionString>1.5</sparkle:shortVersionString>"
             "<link>https://example.org/velmora</link></item>"),
        "1 | 500 | 1.5 | https://example.org/velmora | ");
    row("relative links against the feed",
        feed("<item><sparkle:releaseNotesLink>notes/3.html</sparkle:releaseNotesLink>"
             "<enclosure url=\"/dl/V3.zip\" sparkle:version=\"3\"/></item>"),
        "1 | 3 | 3 | http://127.0.0.1:8/dl/V3.zip | http://127.0.0.1:8/feeds/notes/3.html");
    row("links that are not web addresses are dropped",
        feed("<item><sparkle:releaseNotesLink>javascript:alert(1)</sparkle:releaseNotesLink>"
             "<link>file:///etc/passwd</link>"
             "<enclosure url=\"x-apple.systempreferences:evil\" sparkle:version=\"4\"/></item>"),
        "1 | 4 | 4 |  | ");
    row("items without a version are left out",
        feed("<item><title>News</title><enclosure url=\"https://example.org/x.zip\"/></item>"), "0 | none");
    row("no items at all", feed(""), "0 | none");
    row("cut off half-way", feed(item("0.2.0")).left(200), "error: line");
    row("a web page", "<html><body>Sign in to the Wi-Fi</body></html>", "error: not an RSS feed");
    row("not XML", "{\"version\": \"2.0\"}", "error: line 1");
    row("empty", QByteArray(), "error: empty");
    row("RSS without a channel", "<rss version=\"2.0\"/>", "error: no <channel>");
    row("undeclared namespace prefix",
        "<rss><channel><item><enclosure sparkle:version=\"2\"/></item></channel></rss>", "error: line 1");
}

void TestUpdates::appcastReading()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, read);
    const auto parsed = Appcast::parse(data, QUrl(QStringLiteral("http://127.0.0.1:8/feeds/appcast.xml")));
    if (read.startsWith("error: ")) {
        QVERIFY(!parsed);
        QVERIFY2(parsed.error().contains(read.mid(7)), qPrintable(parsed.error()));
        return;
    }
    QVERIFY2(parsed, qPrintable(parsed.error()));
    const std::optional<AppcastItem> best = Appcast::newestItem(*parsed);
    const QString newest =
        best ? QStringList{best->version, best->displayVersion(), best->downloadPage().toString(),
                           best->releaseNotesURL.toString()}
                   .join(" | ")
             : QStringLiteral("none");
    QCOMPARE(QString::number(parsed->size()) + " | " + newest, read);
}

// ----- the updater against a server -----

void TestUpdates::feedSetting_data()
{
    QTest::addColumn<QVariant>("setting");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("error");
    const auto row = [](const char *name, const QVariant &setting, const QString &url, const char *error) {
        QTest::newRow(name) << setting << url << QString(error);
    };
    row("unset: the build's feed", QVariant(), FeedUpdater::defaultFeedURL().toString(), "");
    row("set", QStringLiteral(" https://example.org/appcast.xml "), "https://example.org/appcast.xml", "");
    row("not a web address", QStringLiteral("file:///etc/passwd"), "",
        "not an https address: \u201Cfile:///etc/passwd\u201D");
    row("plain http", QStringLiteral("http://example.org/appcast.xml"), "",
        "http://example.org/appcast.xml uses plain HTTP: the feed must use HTTPS.");
    row("plain http to a name that only begins like this machine",
        QStringLiteral("http://127.0.0.1.example.org/a"), "", "must use HTTPS");
    row("plain http to this machine", QStringLiteral("http://127.0.0.7:8080/a"), "http://127.0.0.7:8080/a",
        "");
    row("plain http to localhost", QStringLiteral("http://localhost/a"), "http://localhost/a", "");
    row("plain http to IPv6 loopback", QStringLiteral("http://[::1]/a"), "http://[::1]/a", "");
    row("empty text", QString(), "", "SUFeedURL");
    row("not a text", qint64(42), "", "not a text");
}

void TestUpdates::feedSetting()
{
    QFETCH(QVariant, setting);
    QFETCH(QString, url);
    QFETCH(QString, error);
    TestRoot root(TestRoot::Seed::none); // the updater needs no Mac around it
    if (setting.isValid())
        root.writeDomain(kApp, {{QStringLiteral("SUFeedURL"), setting}});
    const Result<QUrl> feedURL = FeedUpdater::feedURL(root.platform().preferences());
    if (!error.isEmpty()) {
        QVERIFY(!feedURL);
        QVERIFY2(feedURL.error().contains(error), qPrintable(feedURL.error()));
    } else {
        QVERIFY2(feedURL, qPrintable(feedURL.error()));
        QCOMPARE(feedURL->toString(), url);
    }
    QVERIFY(FeedUpdater::defaultFeedURL().scheme() == QLatin1String("https"));
}

void TestUpdates::checkAgainstServer_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("current");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("error");

    const auto row = [](const char *name, const QByteArray &body, int status, int mode, const char *current,
                        Outcome outcome, const char *found, const char *error) {
        QTest::newRow(name) << body << status << mode << QString(current) << outcome << QString(found)
                            << QString(error);
    };
    const int answer = int(FeedServer::Mode::answer);
    row("newer version", feed(item("0.1.0") + item("0.2.0")), 200, answer, "0.1.0", Outcome::updateAvailable,
        "0.2.0", "");
    row("same version", feed(item("0.1.0")), 200, answer, "0.1", Outcome::upToDate, "0.1.0", "");
    row("older version", feed(item("0.0.9")), 200, answer, "0.1.0", Outcome::upToDate, "0.0.9", "");
    row("the release after its beta", feed(item("1.0")), 200, answer, "1.0b3", Outcome::updateAvailable,
        "1.0", "");
    row("empty feed", feed(""), 200, answer, "0.1.0", Outcome::upToDate, "", "");
    row("malformed feed", feed(item("0.2.0")).left(150), 200, answer, "0.1.0", Outcome::failed, "",
        "could not be read");
    row("not found", "gone", 404, answer, "0.1.0", Outcome::failed, "", "could not be fetched");
    row("server not answering", QByteArray(), 200, int(FeedServer::Mode::silent), "0.1.0", Outcome::failed,
        "", "did not answer within 0.3 seconds");
    row("nobody listening", QByteArray(), 0, -1, "0.1.0", Outcome::failed, "", "could not be fetched");
}

void TestUpdates::checkAgainstServer()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(int, mode);
    QFETCH(QString, current);
    QFETCH(Outcome, outcome);
    QFETCH(QString, found);
    QFETCH(QString, error);

    TestRoot root(TestRoot::Seed::none); // the updater needs no Mac around it
    FeedServer server;
    QVERIFY(server.isListening());
    QUrl url = server.url(QStringLiteral("/appcast.xml"));
    if (mode < 0) {
        // A port nobody listens on: bind one, then let it go.
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        url.setPort(closed.serverPort());
    } else {
        server.route("/appcast.xml", {status, body, FeedServer::Mode(mode)});
    }
    setFeed(root, url);

    FeedUpdater updater(root.platform());
    updater.setCurrentVersion(current);
    updater.setTimeout(std::chrono::milliseconds(300));
    updater.start();
    QElapsedTimer clock;
    clock.start();
    const UpdateCheckResult result = await(updater.check());
    const qint64 elapsed = clock.elapsed();
    qInfo("check ended after %lld ms", elapsed);
    QVERIFY2(elapsed < 10000, "a check must end in its own time");

    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.currentVersion, current);
    QCOMPARE(result.item.version, found);
    QVERIFY2(result.error.contains(error), qPrintable(result.error));
    // Qt's own texts end in a full stop already: the message quoting one ends in exactly one.
    QVERIFY2(!result.error.contains(QLatin1String("..")), qPrintable(result.error));
    if (outcome == Outcome::failed)
        QVERIFY(result.error.contains(url.toDisplayString()));
    QVERIFY(updater.canCheckForUpdates());
    // A check that was carried out is remembered for the schedule.
    QCOMPARE(root.domain(kApp).value(QStringLiteral("SULastCheckTime")).typeId(), QMetaType::QDateTime);
}

void TestUpdates::feedRules_data()
{
    QTest::addColumn<QByteArray>("items");
    QTest::addColumn<QString>("system"); // the simulated Mac's ProductVersion; "none" or "damaged" file
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("offer"); // "offer VERSION as SHOWN", or "up to date"
    QTest::addColumn<QString>(
        "detail"); // "download | notes link | notes", checked when given; @ is the server
    const auto row = [](const char *name, const QByteArray &items, const char *system, const char *current,
                        const char *offer, const char *detail = "") {
        QTest::newRow(name) << items << QString(system) << QString(current) << QString(offer)
                            << QString(detail);
    };
    const auto needs = [](const char *version, const char *minimum, const char *maximum = nullptr) {
        QByteArray limits =
            "<sparkle:minimumSystemVersion>" + QByteArray(minimum) + "</sparkle:minimumSystemVersion>";
        if (maximum)
            limits +=
                "<sparkle:maximumSystemVersion>" + QByteArray(maximum) + "</sparkle:maximumSystemVersion>";
        return plainItem(limits + enclosure(version));
    };

    // The running macOS: an item outside its limits is not offered, limits compared as versions.
    row("every item needs a newer macOS", needs("3.0", "16.0") + needs("2.0", "15.2"), "15.1", "1.0",
        "up to date");
    row("the newest item this Mac runs", needs("3.0", "16.0") + needs("2.0", "15.0") + needs("1.5", "14.0"),
        "15.1", "1.0", "offer 2.0 as 2.0");
    row("a minimum equal to the system", needs("2.0", "15.1"), "15.1", "1.0", "offer 2.0 as 2.0");
    row("a minimum compared as a version", needs("3.0", "15.10") + needs("2.0", "10.13"), "15.1", "1.0",
        "offer 2.0 as 2.0");
    row("a maximum below the system", needs("3.0", "", "14.7") + needs("2.0", "11.0", "15.1"), "15.1", "1.0",
        "offer 2.0 as 2.0");
    row("no SystemVersion.plist: no limits", needs("3.0", "99.0"), "none", "1.0", "offer 3.0 as 3.0");
    row("a damaged SystemVersion.plist: no limits", needs("3.0", "99.0"), "damaged", "1.0",
        "offer 3.0 as 3.0");

    // Where the version comes from.
    row("the enclosure's attribute beats a later element",
        plainItem(enclosure("2.0") + "<sparkle:version>9.0</sparkle:version>"), "15.1", "1.0",
        "offer 2.0 as 2.0");
    row("the element when the enclosure has none",
        plainItem("<enclosure url=\"https://example.org/V.zip\"/><sparkle:version>2.0</sparkle:version>"
                  "<sparkle:shortVersionString>2.0 final</sparkle:shortVersionString>"),
        "15.1", "1.0", "offer 2.0 as 2.0 final");
    row("the file name when nothing else says",
        plainItem("<enclosure url=\"https://example.org/get/Velmora_2.1.zip\"/>"), "15.1", "1.0",
        "offer 2.1 as 2.1");
    row("build numbers beside short version strings",
        plainItem(enclosure("200", " sparkle:shortVersionString=\"2.0\"")) +
            plainItem(enclosure("310", " sparkle:shortVersionString=\"3.1\"")) +
            plainItem(enclosure("95", " sparkle:shortVersionString=\"0.9.5\"")),
        "15.1", "201", "offer 310 as 3.1");
    row("an item with no short version shows its version", plainItem(enclosure("2.0")), "15.1", "1.0",
        "offer 2.0 as 2.0");
    row("several items out of order, the first of equals",
        plainItem(enclosure("1.5")) + plainItem(enclosure("2.0", " sparkle:shortVersionString=\"first\"")) +
            plainItem(enclosure("1.9")) +
            plainItem(enclosure("2.0.0", " sparkle:shortVersionString=\"second\"")),
        "15.1", "1.0", "offer 2.0 as first");
    row("a beta is not newer than its release", plainItem(enclosure("1.0.0b7")), "15.1", "1.0.0",
        "up to date");
    row("the release after its beta", plainItem(enclosure("1.0.0")), "15.1", "1.0.0b7",
        "offer 1.0.0 as 1.0.0");

    // Systems and channels.
    row("items for macOS", plainItem(enclosure("2.0", " sparkle:os=\"macos\"")), "15.1", "1.0",
        "offer 2.0 as 2.0");
    row("items for other systems",
        plainItem(enclosure("3.0", " sparkle:os=\"windows\"")) +
            plainItem(enclosure("2.5", " sparkle:os=\"linux\"")) + plainItem(enclosure("2.0")),
        "15.1", "1.0", "offer 2.0 as 2.0");
    row("other channels",
        plainItem("<sparkle:channel>beta</sparkle:channel>" + enclosure("3.0")) + plainItem(enclosure("2.0")),
        "15.1", "1.0", "offer 2.0 as 2.0");
    row("a channel name the framework ignores is the default channel",
        plainItem("<sparkle:channel>beta testers</sparkle:channel>" + enclosure("3.0")), "15.1", "1.0",
        "offer 3.0 as 3.0");

    // Release notes and links.
    row("notes in the feed",
        plainItem(enclosure("2.0") +
                  "<description><![CDATA[<h2>New</h2><ul><li>Faster</li></ul>]]></description>"),
        "15.1", "1.0", "offer 2.0 as 2.0",
        "https://example.org/Velmora-2.0.zip |  | html: <h2>New</h2><ul><li>Faster</li></ul>");
    row("notes in Markdown",
        plainItem(enclosure("2.0") + "<description sparkle:format=\"markdown\">## New</description>"), "15.1",
        "1.0", "offer 2.0 as 2.0", "https://example.org/Velmora-2.0.zip |  | markdown: ## New");
    row("a link to the notes beats the notes",
        plainItem(enclosure("2.0") +
                  "<description>New</description>"
                  "<sparkle:releaseNotesLink>https://example.org/2.0.html</sparkle:releaseNotesLink>"),
        "15.1", "1.0", "offer 2.0 as 2.0",
        "https://example.org/Velmora-2.0.zip | https://example.org/2.0.html | ");
    row("a description that is an address is the link",
        plainItem(enclosure("2.0") + "<description>https://example.org/2.0.html</description>"), "15.1",
        "1.0", "offer 2.0 as 2.0", "https://example.org/Velmora-2.0.zip | https://example.org/2.0.html | ");
    row("plain-http links are not offered",
        plainItem("<link>https://example.org/velmora</link>"
                  "<sparkle:releaseNotesLink>http://example.org/2.0.html</sparkle:releaseNotesLink>"
                  "<enclosure url=\"http://example.org/Velmora-2.0.zip\" sparkle:version=\"2.0\"/>"),
        "15.1", "1.0", "offer 2.0 as 2.0", "https://example.org/velmora |  | ");
    row("plain-http links to this machine are",
        plainItem("<sparkle:releaseNotesLink>notes.html</sparkle:releaseNotesLink>"
                  "<enclosure url=\"/dl/Velmora-2.0.zip\" sparkle:version=\"2.0\"/>"),
        "15.1", "1.0", "offer 2.0 as 2.0", "@/dl/Velmora-2.0.zip | @/notes.html | ");
}

void TestUpdates::feedRules()
{
    QFETCH(QByteArray, items);
    QFETCH(QString, system);
    QFETCH(QString, current);
    QFETCH(QString, offer);
    QFETCH(QString, detail);

    TestRoot root(TestRoot::Seed::none);
    const QString systemFile = root.root().systemVersionFile();
    if (system == QLatin1String("damaged"))
        QVERIFY(writeAll(systemFile, "<?xml version=\"1.0\"?><plist><dict><key>ProductVersion"));
    else if (system != QLatin1String("none"))
        QVERIFY(QDir().mkpath(QFileInfo(systemFile).path()) &&
                PropertyList::writeFile(systemFile, QVariantMap{{QStringLiteral("ProductVersion"), system}},
                                        PropertyList::Format::xml));
    FeedServer server;
    server.route("/appcast.xml", {200, feed(items)});
    setFeed(root, server.url(QStringLiteral("/appcast.xml")));
    FeedUpdater updater(root.platform());
    updater.setCurrentVersion(current);
    updater.start();
    const UpdateCheckResult result = await(updater.check());

    QVERIFY2(result.outcome != Outcome::failed, qPrintable(result.error));
    QCOMPARE(result.outcome == Outcome::upToDate
                 ? QStringLiteral("up to date")
                 : QStringLiteral("offer %1 as %2").arg(result.item.version, result.item.displayVersion()),
             offer);
    if (detail.isEmpty())
        return;
    static const char *const formats[] = {"html", "plain", "markdown"};
    const AppcastItem &item = result.item;
    const QString notes =
        item.releaseNotes.isEmpty()
            ? QString()
            : QStringLiteral("%1: %2").arg(formats[int(item.releaseNotesFormat)], item.releaseNotes);
    const QString origin = server.url(QString()).toString();
    QCOMPARE(QStringList({item.downloadPage().toString(), item.releaseNotesURL.toString(), notes})
                 .join(QStringLiteral(" | "))
                 .replace(origin, QStringLiteral("@")),
             detail);
}

void TestUpdates::enablingRuleWhileChecking()
{
    TestRoot root(TestRoot::Seed::none); // the updater needs no Mac around it
    FeedServer server;
    server.route("/appcast.xml", {200, feed(item("0.2.0")), FeedServer::Mode::hold});
    setFeed(root, server.url(QStringLiteral("/appcast.xml")));

    RecordingAlerts alerts;
    auto feedUpdater = std::make_unique<FeedUpdater>(root.platform());
    feedUpdater->setCurrentVersion(QStringLiteral("0.1.0"));
    feedUpdater->setAlerts(&alerts);
    QVERIFY2(!feedUpdater->canCheckForUpdates(), "no check before the updater has started");
    FeedUpdater *updater = feedUpdater.get();
    UpdaterManager manager(std::move(feedUpdater));
    QVERIFY(updater->isStarted());
    QVERIFY(updater->canCheckForUpdates());

    QMenu menu;
    menu.addAction(QStringLiteral("About Velmora"));
    CheckForUpdatesView view(manager.updater(), &menu);
    openMenu(menu);
    QVERIFY(view.action()->isEnabled());

    QSignalSpy changes(updater, &Updater::canCheckForUpdatesChanged);
    view.action()->trigger();
    QVERIFY2(!updater->canCheckForUpdates(), "false as soon as the check starts");
    QCOMPARE(alerts.checking, 1);
    QVERIFY(view.action()->isEnabled()); // only read when the menu opens
    openMenu(menu);
    QVERIFY(!view.action()->isEnabled());
    QTRY_COMPARE(server.requests(), 1);

    // Choosing it anyway (a stale menu) starts nothing more.
    updater->checkForUpdates();
    QTest::qWait(50);
    QCOMPARE(server.requests(), 1);
    QCOMPARE(alerts.checking, 1);

    server.release();
    QTRY_VERIFY(updater->canCheckForUpdates());
    QCOMPARE(alerts.kinds, QStringList{QStringLiteral("updateAvailable")});
    QCOMPARE(alerts.hidden, 1);
    QCOMPARE(changes.size(), 2);
    QVERIFY(!view.action()->isEnabled());
    openMenu(menu);
    QVERIFY(view.action()->isEnabled());
}

void TestUpdates::cancellingACheck()
{
    DialogRig rig;
    rig.server.route("/appcast.xml", {200, feed(item("0.2.0")), FeedServer::Mode::hold});
    setFeed(rig.root, rig.server.url(QStringLiteral("/appcast.xml")));

    rig.updater.checkForUpdates();
    QVERIFY(rig.dialogs.progressWindow());
    QVERIFY(rig.dialogs.progressWindow()->isVisible());
    QCOMPARE(rig.dialogs.progressWindow()->labelText(), QStringLiteral("Checking for updates\u2026"));
    QTRY_COMPARE(rig.server.requests(), 1);
    auto *cancel = rig.dialogs.progressWindow()->findChild<QPushButton *>();
    QVERIFY(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY(rig.updater.canCheckForUpdates());
    QTRY_VERIFY(!rig.dialogs.progressWindow());
    rig.server.release();
    QTest::qWait(50);
    QVERIFY2(!rig.dialogs.resultWindow(), "a cancelled check shows no result");
}

void TestUpdates::windowsOfAUserCheck()
{
    DialogRig rig;
    rig.server.route("/new.xml", {200, feed(item("0.2.0"))});
    rig.server.route("/same.xml", {200, feed(item("0.1.0"))});
    rig.updater.setTimeout(std::chrono::milliseconds(500));
    auto checkWith = [&](const QString &path) -> QMessageBox * {
        setFeed(rig.root, rig.server.url(path));
        rig.updater.checkForUpdates();
        if (!QTest::qWaitFor([&] { return rig.updater.canCheckForUpdates(); }, 5000) ||
            rig.dialogs.progressWindow())
            return nullptr;
        return rig.dialogs.resultWindow();
    };

    // A newer version: its number, its release notes, and "Download" opening the download.
    QMessageBox *box = checkWith(QStringLiteral("/new.xml"));
    QVERIFY(box);
    QCOMPARE(box->objectName(), QStringLiteral("updateAvailable"));
    QVERIFY(box->isVisible());
    QVERIFY(box->informativeText().contains(QStringLiteral("Velmora 0.2.0 is now available")));
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
    QVERIFY(label);
    QVERIFY(label->text().contains(QStringLiteral("href=\"https://example.org/notes/0.2.0.html\"")));
    emit label->linkActivated(QStringLiteral("https://example.org/notes/0.2.0.html"));
    auto *download = box->findChild<QPushButton *>(QStringLiteral("download"));
    QVERIFY(download);
    QCOMPARE(download->text(), QStringLiteral("Download"));
    QTest::mouseClick(download, Qt::LeftButton);
    QCOMPARE(openedURLs(rig.root), (QStringList{QStringLiteral("https://example.org/notes/0.2.0.html"),
                                                QStringLiteral("https://example.org/Velmora-0.2.0.zip")}));
    QTRY_VERIFY(!rig.dialogs.resultWindow());

    // The same version: up to date, with the running version.
    box = checkWith(QStringLiteral("/same.xml"));
    QVERIFY(box);
    QCOMPARE(box->objectName(), QStringLiteral("updateUpToDate"));
    QCOMPARE(box->text(), QStringLiteral("You're up to date!"));
    QCOMPARE(box->informativeText(),
             QStringLiteral("Velmora 0.1.0 is currently the newest version available."));
    box->close();

    // A server nobody answers on: a clear error, and the item can be used again.
    box = checkWith(QStringLiteral("/nothing-here.xml"));
    QVERIFY(box);
    QCOMPARE(box->objectName(), QStringLiteral("updateError"));
    QCOMPARE(box->text(), QStringLiteral("Velmora could not check for updates."));
    QVERIFY(box->informativeText().contains(QStringLiteral("could not be fetched")));
    QCOMPARE(openedURLs(rig.root).size(), 2);
    box->close();

    // What the feed says is text, never markup; without a web address there is nothing to download.
    UpdateCheckResult result;
    result.outcome = Outcome::updateAvailable;
    result.currentVersion = QStringLiteral("0.1.0");
    result.item.version = QStringLiteral("2");
    result.item.shortVersionString = QStringLiteral("<a href=\"file:///etc\">2.0</a>");
    rig.dialogs.showUpdateAvailable(result);
    box = rig.dialogs.resultWindow();
    QVERIFY(box);
    QVERIFY(box->informativeText().contains(QStringLiteral("&lt;a href=")));
    QVERIFY(!box->findChild<QPushButton *>(QStringLiteral("download")));
}

void TestUpdates::releaseNotesInTheNewVersionWindow()
{
    DialogRig rig;
    rig.server.route("/pixel.png", {200, "a picture"});
    const QString picture = rig.root.path() + QStringLiteral("/private.png");
    QImage pixel(4, 4, QImage::Format_RGB32);
    pixel.fill(Qt::blue);
    QVERIFY(pixel.save(picture));
    QString notes =
        QStringLiteral("<h2>What's new</h2><p><a href=\"https://example.org/changes\">Changes</a> "
                       "and <a href=\"file:///etc/passwd\">a file</a></p>"
                       "<img src=\"%1\"><img src=\"%2\">")
            .arg(rig.server.url(QStringLiteral("/pixel.png")).toString(),
                 QUrl::fromLocalFile(picture).toString());
    for (int line = 1; line <= 60; ++line)
        notes += QStringLiteral("<p>Improvement %1</p>").arg(line);
    UpdateCheckResult result;
    result.outcome = Outcome::updateAvailable;
    result.currentVersion = QStringLiteral("0.1.0");
    result.item.version = QStringLiteral("0.2.0");
    result.item.downloadURL = QUrl(QStringLiteral("https://example.org/Velmora-0.2.0.zip"));
    result.item.releaseNotes = notes;
    rig.dialogs.showUpdateAvailable(result);
    QMessageBox *box = rig.dialogs.resultWindow();
    QVERIFY(box);
    QVERIFY(QTest::qWaitForWindowActive(box));
    auto *view = box->findChild<ReleaseNotesView *>();
    QVERIFY(view && view->isVisible());
    QVERIFY(view->toPlainText().startsWith(QStringLiteral("What's new")));

    // Between the details and the buttons; long notes scroll inside a window that fits the screen.
    auto *details = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
    auto *buttons = box->findChild<QDialogButtonBox *>();
    QVERIFY(details->geometry().bottom() < view->geometry().top());
    QVERIFY(view->geometry().bottom() < buttons->geometry().top());
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    QVERIFY(box->frameGeometry().height() <= box->screen()->availableGeometry().height());

    // Showing them fetched nothing and read no file.
    box->grab();
    QTest::qWait(50);
    QCOMPARE(rig.server.requests(), 0);
    const QVariant local =
        view->document()->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(picture));
    QVERIFY(local.value<QImage>().isNull() && local.toByteArray().isEmpty());

    // From the keyboard: Download first, then Tab into the notes and along their links; a web link
    // opens through the workspace, a file link nowhere.
    auto *download = box->findChild<QPushButton *>(QStringLiteral("download"));
    QCOMPARE(QApplication::focusWidget(), download);
    for (int i = 0; i < 4 && QApplication::focusWidget() != view; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), view);
    for (int link = 0; link < 2; ++link) {
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), view);
        QTest::keyClick(view, Qt::Key_Return);
    }
    QCOMPARE(openedURLs(rig.root), QStringList{QStringLiteral("https://example.org/changes")});
    QTest::keyClick(view, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != view);
    QVERIFY(box->isVisible());

    // With a link to the notes, the link is offered instead.
    result.item.releaseNotesURL = QUrl(QStringLiteral("https://example.org/notes.html"));
    rig.dialogs.showUpdateAvailable(result);
    QTRY_VERIFY(rig.dialogs.resultWindow() && rig.dialogs.resultWindow() != box);
    QVERIFY(!rig.dialogs.resultWindow()->findChild<ReleaseNotesView *>());
    QVERIFY(rig.dialogs.resultWindow()->informativeText().contains(QStringLiteral("notes.html")));
}

void TestUpdates::windowsFitTheirTexts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("checking") << "checking";
    QTest::newRow("up to date") << "upToDate";
    QTest::newRow("new version") << "available";
    QTest::newRow("new version with its notes") << "notes";
    QTest::newRow("error") << "error";
}

void TestUpdates::windowsFitTheirTexts()
{
    QFETCH(QString, kind);
    DialogRig rig;
    QPixmap red(64, 64);
    red.fill(Qt::red);
    rig.window.setWindowIcon(QIcon(red)); // the application's icon, as the window carries it
    UpdateCheckResult result;
    result.currentVersion = QStringLiteral("0.1.0");
    result.item.version = QStringLiteral("0.2.0");
    result.item.releaseNotesURL = QUrl(QStringLiteral("https://example.org/notes.html"));
    result.error = QStringLiteral("The update feed could not be fetched: Connection refused");
    if (kind == "notes") {
        result.item.releaseNotesURL.clear();
        result.item.releaseNotes =
            QStringLiteral("## What's new\n\n- Reads every appcast as the framework does\n"
                           "- Shows these notes\n");
        result.item.releaseNotesFormat = AppcastItem::NotesFormat::markdown;
    }
    QWidget *window = nullptr;
    if (kind == "checking") {
        rig.dialogs.showChecking([] {});
        window = rig.dialogs.progressWindow();
    } else {
        if (kind == "upToDate")
            rig.dialogs.showUpToDate(result);
        else if (kind == "available" || kind == "notes")
            rig.dialogs.showUpdateAvailable(result);
        else
            rig.dialogs.showError(result);
        window = rig.dialogs.resultWindow();
    }
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // A title bar needs the title's width and room for its buttons.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    QVERIFY2(window->width() >= QFontMetrics(titleFont).horizontalAdvance(window->windowTitle()) + 120,
             qPrintable(QString::number(window->width())));
    QDir().mkpath(QStringLiteral(VELMORA_SCREENSHOT_DIR));
    window->grab().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/update-%1.png").arg(kind));
    auto *box = qobject_cast<QMessageBox *>(window);
    if (!box)
        return;
    QCOMPARE(box->iconPixmap().toImage().pixelColor(32, 32), QColor(Qt::red));
    // The details keep each sentence on one line rather than wrapping it under the headline: they
    // are no higher than on a box of any width.
    auto *details = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
    QVERIFY2(details->heightForWidth(details->width()) <= details->heightForWidth(2000),
             qPrintable(QString::number(details->width())));
}

void TestUpdates::scheduledChecks_data()
{
    QTest::addColumn<QVariant>("enabled");
    QTest::addColumn<int>("lastCheckAgo");
    QTest::addColumn<bool>("scheduled");
    QTest::addColumn<bool>("checksNow");
    QTest::newRow("off unless asked for") << QVariant() << -1 << false << false;
    QTest::newRow("off") << QVariant(false) << -1 << false << false;
    QTest::newRow("never checked") << QVariant(true) << -1 << true << true;
    QTest::newRow("due") << QVariant(true) << 2 * 86400 << true << true;
    QTest::newRow("checked an hour ago") << QVariant(true) << 3600 << true << false;
    QTest::newRow("a feed setting that cannot work") << QVariant(true) << -2 << true << false;
}

void TestUpdates::scheduledChecks()
{
    QFETCH(QVariant, enabled);
    QFETCH(int, lastCheckAgo);
    QFETCH(bool, scheduled);
    QFETCH(bool, checksNow);

    TestRoot root(TestRoot::Seed::none); // the updater needs no Mac around it
    FeedServer server;
    server.route("/appcast.xml", {200, feed(item("0.2.0"))});
    const QString feedURL = lastCheckAgo == -2 ? QStringLiteral("gopher://example.org/")
                                               : server.url(QStringLiteral("/appcast.xml")).toString();
    QVariantMap settings{{QStringLiteral("SUFeedURL"), feedURL}};
    if (enabled.isValid())
        settings.insert(QStringLiteral("SUEnableAutomaticChecks"), enabled);
    if (lastCheckAgo >= 0)
        settings.insert(QStringLiteral("SULastCheckTime"),
                        QDateTime::currentDateTimeUtc().addSecs(-lastCheckAgo));
    root.writeDomain(kApp, settings);

    RecordingAlerts alerts;
    FeedUpdater updater(root.platform());
    updater.setCurrentVersion(QStringLiteral("0.1.0"));
    updater.setAlerts(&alerts);
    QVERIFY(!updater.isCheckScheduled());
    updater.start();
    if (checksNow) {
        QTRY_COMPARE(alerts.kinds, QStringList{QStringLiteral("updateAvailable")});
        QCOMPARE(alerts.checking, 0);            // no progress window for a check nobody asked for
        QTRY_VERIFY(updater.isCheckScheduled()); // and the next one is waiting
    } else {
        QTest::qWait(100);
        QCOMPARE(server.requests(), 0);
        QCOMPARE(alerts.kinds, QStringList());
        QCOMPARE(updater.isCheckScheduled(), scheduled);
        // A check that fails before reaching any server waits for the next interval like any other.
        if (scheduled)
            QVERIFY(updater.timeUntilScheduledCheck() > std::chrono::minutes(50));
    }
}

void TestUpdates::checkFromTheApplicationMenu()
{
    TestRoot root;
    FeedServer server;
    server.route("/appcast.xml", {200, feed(item("99.0"))});
    setFeed(root, server.url(QStringLiteral("/appcast.xml")));
    const auto app = makeApp(root);
    // A new Mac runs a current macOS, as its SystemVersion.plist says.
    QCOMPARE(root.platform().operatingSystem().productVersion().value(), QStringLiteral("15.1"));

    QMenu *help = app->mainWindow()->helpMenu();
    CheckForUpdatesView *view = app->checkForUpdatesView();
    QVERIFY(view);
    QVERIFY(help->actions().contains(view->action()));
    QCOMPARE(view->action()->text(), QStringLiteral("Check for Updates\u2026"));
    QVERIFY(!view->action()->isEnabled());
    openMenu(*help);
    QVERIFY(view->action()->isEnabled());

    view->action()->trigger();
    QTRY_VERIFY(app->updateAlerts().resultWindow());
    QMessageBox *box = app->updateAlerts().resultWindow();
    QCOMPARE(box->objectName(), QStringLiteral("updateAvailable"));
    QVERIFY(box->informativeText().contains(
        QStringLiteral("Velmora 99.0 is now available\u2014you have " VELMORA_VERSION)));
    QCOMPARE(box->parentWidget(), app->mainWindow());
}

// ----- Full Disk Access -----

void TestUpdates::accessProbe_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QVariant>("dismissed"); // what the application's "hasDismissedFDABanner" holds
    QTest::addColumn<bool>("granted");
    QTest::addColumn<bool>("showing");
    const auto row = [](const char *name, const char *state, const QVariant &dismissed, bool granted,
                        bool showing) {
        QTest::newRow(name) << QString(state) << dismissed << granted << showing;
    };
    row("readable database", "granted", {}, true, false);
    row("no database", "missing", {}, false, true);
    row("empty database", "empty", {}, false, true);
    row("a folder in its place", "folder", {}, false, true);
    row("unreadable database", "unreadable", {}, false, true);
    row("dismissed", "missing", true, false, false);
    row("not dismissed", "missing", false, false, true);
    row("dismissed as 1", "missing", qint64(1), false, false);
    row("dismissed as 0", "missing", qint64(0), false, true);
    row("dismissed as YES", "missing", QStringLiteral("YES"), false, false);
    row("dismissed as no", "missing", QStringLiteral("no"), false, true);
    row("dismissed as a date", "missing", QDateTime::currentDateTimeUtc(), false, true);
}

void TestUpdates::accessProbe()
{
    QFETCH(QString, state);
    QFETCH(QVariant, dismissed);
    QFETCH(bool, granted);
    QFETCH(bool, showing);
    TestRoot root;
    const QString database = root.root().privacyDatabase();
    QVERIFY(!QFile::exists(database)); // a new Mac has not granted access
    grantAccess(root);
    if (state == QLatin1String("missing")) {
        revokeAccess(root);
    } else if (state == QLatin1String("empty")) {
        QFile file(database);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    } else if (state == QLatin1String("folder")) {
        revokeAccess(root);
        QVERIFY(QDir().mkpath(database));
    } else if (state == QLatin1String("unreadable")) {
        if (::geteuid() == 0)
            QSKIP("the superuser reads any file");
        QVERIFY(QFile::setPermissions(database, QFile::WriteOwner));
    }
    if (dismissed.isValid())
        root.writeDomain(kApp, {{QStringLiteral("hasDismissedFDABanner"), dismissed}});
    QCOMPARE(FullDiskAccess::canRead(database), granted);
    QWidget parent;
    FullDiskAccessBanner banner(root.platform(), &parent);
    QCOMPARE(banner.hasAccess(), granted);
    QCOMPARE(banner.isDismissed(), !granted && !showing);
    QCOMPARE(banner.isShowingBanner(), showing);
    QCOMPARE(banner.isPolling(), showing);
    QCOMPARE(banner.pollInterval(), std::chrono::milliseconds(2000)); // bannerFollowsAccess polls faster
}

void TestUpdates::bannerFollowsAccess()
{
    TestRoot root;
    revokeAccess(root);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *banner = new FullDiskAccessBanner(root.platform(), &window);
    banner->setPollInterval(std::chrono::milliseconds(20));
    layout->addWidget(banner);
    layout->addStretch(1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Visible and polling.
    QVERIFY(banner->isVisible());
    QVERIFY(banner->height() > 0);
    QVERIFY(banner->isPolling());
    QSignalSpy showing(banner, &FullDiskAccessBanner::showingChanged);

    // Granting access hides it without any user action, and the polling stops.
    grantAccess(root);
    QTRY_VERIFY_WITH_TIMEOUT(!banner->isVisible(), 2000);
    QVERIFY(banner->hasAccess());
    QVERIFY(!banner->isPolling());
    QCOMPARE(showing.size(), 1);

    // Revoking it again changes nothing until the application becomes active.
    revokeAccess(root);
    QTest::qWait(150);
    QVERIFY(!banner->isVisible());
    QVERIFY(banner->hasAccess());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    QVERIFY(!banner->isVisible());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(banner->isVisible());
    QVERIFY(banner->isPolling());
    QCOMPARE(showing.size(), 2);
}

void TestUpdates::bannerInTheWindowOpensSettingsAndStaysDismissed()
{
    TestRoot root;
    revokeAccess(root);
    auto app = makeApp(root);
    QVERIFY(QTest::qWaitForWindowExposed(app->mainWindow()));
    FullDiskAccessBanner *banner = app->fullDiskAccessBanner();
    QVERIFY(app->mainWindow()->rootView()->isAncestorOf(banner));
    QVERIFY(app->mainWindow()->rootView()->bannerArea()->indexOf(banner) >= 0);
    QVERIFY(banner->isVisible());
    // Reachable from the keyboard.
    QVERIFY(banner->openSettingsButton()->focusPolicy() & Qt::TabFocus);
    QVERIFY(banner->dismissButton()->focusPolicy() & Qt::TabFocus);

    // "Open Settings" opens the Full Disk Access pane, which grants nothing by itself.
    QCOMPARE(banner->openSettingsButton()->text(), QStringLiteral("Open Settings"));
    QTest::mouseClick(banner->openSettingsButton(), Qt::LeftButton);
    QCOMPARE(openedURLs(root),
             QStringList{QStringLiteral(
                 "x-apple.systempreferences:com.apple.settings.PrivacySecurity.extension?Privacy_AllFiles")});
    QVERIFY(banner->isShowingBanner());

    // Dismissed, it stays away in a new launch still without access, even on activation.
    QTest::mouseClick(banner->dismissButton(), Qt::LeftButton);
    QVERIFY(!banner->isVisible() && banner->isDismissed() && !banner->isPolling());
    QCOMPARE(root.domain(kApp).value(QStringLiteral("hasDismissedFDABanner")), QVariant(true));
    app.reset(); // the first launch ends before the next begins
    app = makeApp(root);
    QVERIFY(QTest::qWaitForWindowExposed(app->mainWindow()));
    banner = app->fullDiskAccessBanner();
    QVERIFY(banner->isDismissed() && !banner->hasAccess() && !banner->isPolling());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(!banner->isVisible());
}

void TestUpdates::accessCommand_data()
{
    QTest::addColumn<bool>("granted");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::newRow("granted") << true << QStringList() << 0 << "Full Disk Access: granted\n";
    QTest::newRow("not granted") << false << QStringList() << 1 << "Full Disk Access: not granted";
    QTest::newRow("stray argument") << true << QStringList{QStringLiteral("now")} << 2 << "";
}

void TestUpdates::accessCommand()
{
    QFETCH(bool, granted);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    TestRoot root;
    if (granted)
        grantAccess(root);
    const ProgramRun run = runVelmoractl(root, QStringList{QStringLiteral("access")} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.startsWith(output) || (output.isEmpty() && run.out.isEmpty()), qPrintable(run.out));
    if (exitCode == 2)
        QVERIFY(run.err.contains("usage: velmoractl access"));
}

QTEST_MAIN(TestUpdates)
#include "tst_updates.moc"
