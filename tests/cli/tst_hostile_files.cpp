// Files built to break readers, put where the programs read: a profile, a preference domain, an
// application's Info.plist. Every reader refuses them with a clear error and goes on; none dies.
// And what a domain holds survives writes that do not touch it.

#include "dock/InstalledApps.h"
#include "preferences/PreferencesBackend.h"
#include "preferences/ShellRunner.h"
#include "profiles/ProfileDocument.h"
#include "support/HostileFiles.h"
#include "support/PlistTreeEquality.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QtTest>

#include <cstring>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString kDefaults = QStringLiteral(VELMORA_LIBEXEC_DIR "/defaults");

// A crash shows as -1 (see ProgramRun); a refusal is a plain exit 1.
#define QVERIFY_REFUSED(run, what)                                                                           \
    do {                                                                                                     \
        const ProgramRun &r_ = (run);                                                                        \
        QVERIFY2(r_.exitCode == 1,                                                                           \
                 qPrintable(QStringLiteral("%1: exit %2, %3").arg(what).arg(r_.exitCode).arg(r_.err)));      \
        QVERIFY2(!r_.err.trimmed().isEmpty(), qPrintable(QStringLiteral("%1 said nothing").arg(what)));      \
    } while (false)

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    void readersRefuseHostileFiles_data();
    void readersRefuseHostileFiles();
    void datesSurviveUnrelatedWrites();
    void aNulCannotReachATool();
    void aProfileNamesTheValueItCannotCarry();
};

void TestHostileFiles::readersRefuseHostileFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("XML nested 200,000 deep") << deeplyNestedXml(200000);
    QTest::newRow("binary chain 150,000 deep") << deeplyNestedBinary(150000);
    QTest::newRow("binary key holding NUL") << binaryWithNulInKey();
}

void TestHostileFiles::readersRefuseHostileFiles()
{
    QFETCH(QByteArray, bytes);
    TestRoot root;

    // A profile.
    const QString profile = root.path() + "/hostile profile.plist";
    QVERIFY(writeAll(profile, bytes));
    const ProgramRun diff = runVelmoractl(root, {"profile", "diff", profile});
    QVERIFY_REFUSED(diff, "profile diff");
    QVERIFY2(diff.err.contains("damaged"), qPrintable(diff.err));
    QVERIFY(!ProfileDocument::read(profile).ok());

    // A preference domain: the stand-in tool refuses to read it, to import it, and to rewrite it.
    const QString dock = *root.root().domainFile("com.apple.dock");
    QVERIFY(writeAll(dock, bytes));
    QVERIFY_REFUSED(runProgram(kDefaults, {"read", "com.apple.dock"}, root.path()), "defaults read");
    QVERIFY_REFUSED(runProgram(kDefaults, {"write", "com.apple.dock", "tilesize", "-int", "30"}, root.path()),
                    "defaults write");
    QCOMPARE(readAll(dock), bytes);
    QVERIFY_REFUSED(runProgram(kDefaults, {"import", "com.apple.finder", profile}, root.path()),
                    "defaults import");

    // velmoractl refuses to pass the damaged domain off as the system's defaults.
    for (const QStringList &args :
         {QStringList{"get", "dock.tilesize"}, QStringList{"list", "dock"}, QStringList{"dock", "show"}}) {
        const ProgramRun run = runVelmoractl(root, args);
        QVERIFY_REFUSED(run, args.join(' '));
        QVERIFY2(run.err.contains("damaged"), qPrintable(run.err));
    }
    // A profile is still saved, naming the domain it could not read.
    const ProgramRun save = runVelmoractl(root, {"profile", "save", root.path() + "/saved.plist"});
    QCOMPARE(save.exitCode, 0);
    QVERIFY2(save.err.contains("com.apple.dock"), qPrintable(save.err));
    QVERIFY(ProfileDocument::read(root.path() + "/saved.plist").ok());

    // An application whose Info.plist is hostile is listed under its file name, like any bundle
    // without a readable information dictionary.
    const QString apps = root.path() + "/Applications";
    QVERIFY(writeAll(apps + "/Hostile.app/Contents/Info.plist", bytes));
    const QList<InstalledApp> scanned = InstalledApps::scan({apps});
    const auto hostile = std::find_if(scanned.cbegin(), scanned.cend(),
                                      [](const InstalledApp &a) { return a.path().contains("Hostile.app"); });
    QVERIFY(hostile != scanned.cend());
    QCOMPARE(hostile->name, QStringLiteral("Hostile"));
    QVERIFY(scanned.size() > 1);
}

void TestHostileFiles::datesSurviveUnrelatedWrites()
{
    TestRoot root;
    // The distant future and past, microseconds before and after the reference date, a NUL in text.
    QVariantMap values{{"future", QDateTime(QDate(4001, 1, 1), QTime(0, 0), Qt::UTC)},
                       {"past", QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC)},
                       {"checked", QVariant::fromValue(PlistDate{671142925.521213})},
                       {"before", QVariant::fromValue(PlistDate{-31536000.123456})},
                       {"text", QString::fromUtf8("\xc3\xa9\0b", 4)}};
    root.writeDomain("com.example.dates", values);
    for (int i = 0; i < 10; ++i) {
        const QString key = QStringLiteral("k%1").arg(i);
        QCOMPARE(runProgram(kDefaults, {"write", "com.example.dates", key, "-int", QString::number(i)},
                            root.path())
                     .exitCode,
                 0);
        values.insert(key, qint64(i));
    }
    COMPARE_TREE(QVariant(root.domain("com.example.dates")), QVariant(values));
    // And the tool prints them as the system does.
    const ProgramRun read = runProgram(kDefaults, {"read", "com.example.dates", "future"}, root.path());
    QCOMPARE(read.out.trimmed(), QStringLiteral("4001-01-01 00:00:00 +0000"));
}

void TestHostileFiles::aNulCannotReachATool()
{
    // A value holding NUL (from a binary profile, say) would reach the tool cut short: refused.
    TestRoot root;
    const ShellRunner::RunResult run = await(ShellRunner().run(
        kDefaults, {"write", "com.example.x", "k", "-string", QString::fromUtf8("a\0b", 3)}));
    QVERIFY(!run.ok());
    QVERIFY2(run.error().description().contains("NUL"), qPrintable(run.error().description()));

    PreferencesBackend backend(root.platform());
    const PreferencesBackend::WriteStatus written = await(backend.write(
        "com.apple.loginwindow", "LoginwindowText", TweakValue::ofString(QString::fromUtf8("hi\0there", 8))));
    QVERIFY(!written.ok());
    QVERIFY(!root.domain("com.apple.loginwindow").contains("LoginwindowText"));
}

void TestHostileFiles::aProfileNamesTheValueItCannotCarry()
{
    TestRoot root;
    Profile profile;
    profile.id = QUuid::createUuid();
    profile.name = "Controls";
    profile.createdAt = QDateTime::currentDateTimeUtc();
    profile.appVersion = "1.0";
    profile.values.insert("login-window.login-window-text",
                          TweakValue::ofString(QString::fromUtf8("Hello\x01")));
    const QString path = root.path() + "/controls.plist";
    const Status written = ProfileDocument(profile).write(path);
    QVERIFY(!written.ok());
    QVERIFY2(written.error().contains("Login window message"), qPrintable(written.error()));
    QVERIFY2(written.error().contains("U+0001"), qPrintable(written.error()));
    QVERIFY(!QFileInfo::exists(path));

    // Tabs, line feeds and carriage returns are fine, and come back exactly.
    profile.values.insert("login-window.login-window-text", TweakValue::ofString("Line\r\nTwo\tthree"));
    QVERIFY(ProfileDocument(profile).write(path).ok());
    QCOMPARE(ProfileDocument::read(path)->profile().values.value("login-window.login-window-text"),
             TweakValue::ofString("Line\r\nTwo\tthree"));
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostile_files.moc"
