// velmoractl's engine verbs against a simulated Mac: what a user types and what lands in the root.

#include "catalogue/TweakRegistry.h"
#include "support/ProgramRun.h"
#include "support/SmallFileSystem.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

/// velmoractl as a user's shell would start it: no root named in the environment, and the per-user
/// data folder (where the default root lives) inside `dataHome`.
ProgramRun runWithoutRoot(const QStringList &args, const QString &dataHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("VELMORA_SIMULATED_ROOT"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMORA_BIN_DIR "/velmoractl"), args);
    p.closeWriteChannel();
    ProgramRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void setWithRestart();
    void setParsesByKind_data();
    void setParsesByKind();
    void getListAndReset();
    void errorsAndUsage_data();
    void errorsAndUsage();
    void helpOfEachCommand_data();
    void helpOfEachCommand();
    void helpAskedAnyWay_data();
    void helpAskedAnyWay();
    void doubleDashEndsOptions_data();
    void doubleDashEndsOptions();
    void failedWriteReportsTheToolsText();
    void fullDiskLeavesTheDomainAsItWas();
    void onlyInitCreatesANamedRoot_data();
    void onlyInitCreatesANamedRoot();
    void theDefaultRootIsCreatedOnFirstUse();
};

void TestCli::setWithRestart()
{
    TestRoot root;
    const ProgramRun r = runVelmoractl(root, {"set", "dock.autohide", "on", "--restart"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(root.domain("com.apple.dock").value("autohide"), QVariant(true));
    QCOMPARE(root.restartLog().size(), 1);
    QVERIFY(root.restartLog().first().endsWith("\tDock"));
    QVERIFY(r.out.contains("Restarted: Dock"));

    // Without --restart it says what is pending and restarts nothing.
    const ProgramRun pending = runVelmoractl(root, {"set", "mission-control.spans-displays", "yes"});
    QCOMPARE(pending.exitCode, 0);
    QVERIFY(pending.out.contains("Restart needed: Dock, SystemUIServer"));
    QCOMPARE(root.restartLog().size(), 1);
}

void TestCli::setParsesByKind_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored"); // invalid: refused with exit 1
    const auto row = [](const char *name, const char *id, const char *text, const char *domainAndKey,
                        const QVariant &stored) {
        const QString where = QString::fromLatin1(domainAndKey);
        QTest::newRow(name) << QString(id) << QString(text) << where.section(' ', 0, 0)
                            << where.section(' ', 1) << stored;
    };
    row("switch off", "dock.magnification", "OFF", "com.apple.dock magnification", false);
    row("switch 1", "dock.magnification", "1", "com.apple.dock magnification", true);
    row("switch nonsense", "dock.magnification", "maybe", "com.apple.dock magnification", QVariant());
    row("integer", "dock.tilesize", "64", "com.apple.dock tilesize", qint64(64));
    row("integer at bound", "dock.tilesize", "128", "com.apple.dock tilesize", qint64(128));
    row("integer too big", "dock.tilesize", "500", "com.apple.dock tilesize", QVariant());
    row("integer fraction", "dock.tilesize", "64.5", "com.apple.dock tilesize", QVariant());
    row("decimal", "dock.autohide-delay", "0.25", "com.apple.dock autohide-delay", 0.25);
    row("decimal negative bound", "mouse.scaling", "-1", ".GlobalPreferences com.apple.mouse.scaling", -1.0);
    row("decimal out of range", "dock.autohide-delay", "3", "com.apple.dock autohide-delay", QVariant());
    row("picker by label", "dock.orientation", "Left", "com.apple.dock orientation", "left");
    row("picker by value", "appearance.accent-color", "8", ".GlobalPreferences AppleAccentColor", qint64(8));
    row("picker any case", "appearance.accent-color", "graphite", ".GlobalPreferences AppleAccentColor",
        qint64(8));
    row("picker missing value", "appearance.accent-color", "7", ".GlobalPreferences AppleAccentColor",
        QVariant());
    row("text with spaces", "menubar.clock-date-format", "HH:mm  d MMM",
        "com.apple.menuextra.clock DateFormat", "HH:mm  d MMM");
    row("empty text", "sharing.computer-name", "", "com.apple.smb.server NetBIOSName", "");
    row("path", "screenshot.location", "~/Pictures", "com.apple.screencapture location", "~/Pictures");
}

void TestCli::setParsesByKind()
{
    QFETCH(QString, id);
    QFETCH(QString, text);
    QFETCH(QString, domain);
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    TestRoot root;
    const QVariantMap before = root.domain(domain); // .GlobalPreferences is the global domain's file
    const ProgramRun r = runVelmoractl(root, {"set", id, text});
    const QVariantMap after = root.domain(domain);
    if (!stored.isValid()) {
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(id));
        QCOMPARE(after, before);
        return;
    }
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(after.value(key).typeId(), stored.typeId());
    QCOMPARE(after.value(key), stored);
}

void TestCli::getListAndReset()
{
    TestRoot root;
    QCOMPARE(runVelmoractl(root, {"get", "dock.tilesize"}).out, QStringLiteral("48\n"));
    QCOMPARE(runVelmoractl(root, {"get", "dock.tilesize", "--json"}).out,
             QStringLiteral("{\"int\":{\"_0\":48}}\n"));
    QCOMPARE(runVelmoractl(root, {"get", "dock.autohide-delay", "--json"}).out,
             QStringLiteral("{\"double\":{\"_0\":0.5}}\n"));

    const ProgramRun list = runVelmoractl(root, {"list", "dock"});
    QCOMPARE(list.exitCode, 0);
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), TweakRegistry::shared().tweaksInCategory("dock").size() + 1); // and a heading
    QVERIFY(lines.filter("dock.tilesize").first().endsWith("Icon size: 48"));
    QVERIFY(lines.filter("dock.scroll-to-open").first().endsWith("(default)"));
    QVERIFY(lines.filter("dock.orientation").first().endsWith("Bottom (bottom)"));
    QCOMPARE(runVelmoractl(root, {"list"}).out.count("\n  "), TweakRegistry::shared().tweaks().size());

    QCOMPARE(runVelmoractl(root, {"reset", "dock.tilesize"}).exitCode, 0);
    QVERIFY(!root.domain("com.apple.dock").contains("tilesize"));
    QCOMPARE(runVelmoractl(root, {"reset", "dock.tilesize"}).exitCode, 0); // twice is fine

    const ProgramRun restart = runVelmoractl(root, {"restart", "Finder", "cfprefsd"});
    QCOMPARE(restart.exitCode, 0);
    QCOMPARE(root.restartLog().size(), 2);
}

void TestCli::errorsAndUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const QStringList &args, int exitCode, const QString &message) {
        QTest::newRow(name) << args << exitCode << message;
    };
    row("unknown id", {"set", "dock.nope", "1"}, 1, "dock.nope");
    row("unknown category", {"list", "nope"}, 1, "nope");
    row("one dash is a value, not an option", {"get", "-h"}, 1, "no tweak has the id \"-h\"");
    row("restart unknown", {"restart", "Safari"}, 2, "Safari");
    // Usage errors name what is wrong, then how the command is written.
    row("no command", {}, 2, "usage: velmoractl [--simulated-root DIR] COMMAND [ARGUMENTS...]\n");
    row("unknown command", {"frobnicate"}, 2, "velmoractl: no command \"frobnicate\"; see velmoractl help\n");
    row("unknown command of a group", {"wallpaper", "tile"}, 2,
        "velmoractl: no command \"wallpaper tile\"; see velmoractl help wallpaper\n"
        "usage: velmoractl wallpaper show [--json]\n");
    row("help on no command", {"help", "dock", "shuffle"}, 2, "velmoractl: no command \"dock shuffle\"");
    row("option before the command", {"--json", "get", "dock.tilesize"}, 2, "Unknown option 'json'");
    row("root option without its folder", {"--simulated-root"}, 2, "Missing value after '--simulated-root'");
    row("catalogue with an argument", {"catalogue", "--json", "now"}, 2,
        "usage: velmoractl catalogue [--json]\n");
    row("catalogue with an unknown option", {"catalogue", "--xml"}, 2,
        "velmoractl: Unknown option 'xml'.\nusage: velmoractl catalogue [--json]\n");
    row("list of two categories", {"list", "dock", "finder"}, 2, "usage: velmoractl list [CATEGORY]\n");
    row("get without id", {"get"}, 2, "usage: velmoractl get ID [--json]\n");
    row("get with an unknown option", {"get", "dock.tilesize", "--xml"}, 2,
        "velmoractl: Unknown option 'xml'.\nusage: velmoractl get ID [--json]\n");
    row("a switch given a value", {"get", "dock.tilesize", "--json=yes"}, 2,
        "Unexpected value after '--json'");
    row("set without value", {"set", "dock.autohide"}, 2, "usage: velmoractl set ID VALUE [--restart]\n");
    row("set with another command's option", {"set", "dock.autohide", "on", "--json"}, 2,
        "Unknown option 'json'");
    row("reset of two ids", {"reset", "dock.autohide", "dock.tilesize"}, 2,
        "usage: velmoractl reset ID [--restart]\n");
    row("restart nothing", {"restart"}, 2, "usage: velmoractl restart TARGET...\n");
    row("profile without command", {"profile"}, 2,
        "usage: velmoractl profile save FILE\n       velmoractl profile diff FILE\n"
        "       velmoractl profile apply FILE [--yes]\n");
    row("profile save --yes", {"profile", "save", "p.plist", "--yes"}, 2, "Unknown option 'yes'");
    row("dock apply of two files", {"dock", "apply", "a.json", "b.json"}, 2,
        "usage: velmoractl dock apply FILE\n");
    row("init with an argument", {"init", "now"}, 2, "usage: velmoractl init\n");
}

void TestCli::errorsAndUsage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TestRoot root;
    const ProgramRun r = runVelmoractl(root, args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    if (exitCode == 2)
        QCOMPARE(r.out, QString());
    QVERIFY(root.restartLog().isEmpty());
}

void TestCli::helpOfEachCommand_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("shows"); // a part of its help only it has
    QTest::addColumn<bool>("listed");   // a line of its own in velmoractl help; a group has its commands
    const auto row = [](const QStringList &command, const QString &shows, bool listed = true) {
        QTest::newRow(qPrintable(command.join(' '))) << command << shows << listed;
    };
    row({"catalogue"}, "  --json  ");
    row({"list"}, "  CATEGORY  ");
    row({"get"}, "  --json  ");
    row({"set"}, "  --restart  ");
    row({"reset"}, "  --restart  ");
    row({"restart"}, "  TARGET  ");
    row({"profile"}, "  profile apply FILE [--yes]  ", false);
    row({"profile", "save"}, "  FILE  ");
    row({"profile", "diff"}, "  FILE  ");
    row({"profile", "apply"}, "  --yes  ");
    row({"dock"}, "  dock apply FILE  ", false);
    row({"dock", "show"}, "  --json  ");
    row({"dock", "apply"}, "standard input");
    row({"wallpaper"}, "  wallpaper show [--json]  ", false);
    row({"wallpaper", "show"}, "  --json  ");
    row({"wallpaper", "set"}, "  --scaling fill|fit|stretch|center\n");
    row({"access"}, "exit 0");
    row({"init"}, "--simulated-root DIR init");
    row({"help"}, "  COMMAND  ");
}

void TestCli::helpOfEachCommand()
{
    QFETCH(QStringList, command);
    QFETCH(QString, shows);
    QFETCH(bool, listed);
    const QString ctl = QStringLiteral(VELMORA_BIN_DIR "/velmoractl");
    const QString name = command.join(' ');
    // No simulated Mac is needed to ask for help: the root named here does not exist.
    const QStringList noMac{"--simulated-root", "/nonexistent/velmora"};

    const ProgramRun all = runProgram(ctl, noMac + QStringList{"help"});
    QCOMPARE(all.exitCode, 0);
    const QString commands = all.out.section("\ncommands:\n", 1).section("\n\n", 0, 0);
    // A command's line goes on with its arguments, its options or its description; a group's with a
    // command's name.
    const QRegularExpression line("^  " + QRegularExpression::escape(name) + "( [A-Z[]|  |$)");
    const QStringList lines = commands.split('\n').filter(line);
    QCOMPARE(lines.size(), listed ? 1 : 0);

    const ProgramRun asked = runProgram(ctl, noMac + QStringList{"help"} + command);
    QCOMPARE(asked.exitCode, 0);
    QCOMPARE(asked.err, QString());
    QVERIFY2(asked.out.startsWith("usage: velmoractl " + name), qPrintable(asked.out));
    QVERIFY2(asked.out.contains(shows), qPrintable(asked.out));
    const ProgramRun flag = runProgram(ctl, noMac + command + QStringList{"--help"});
    QCOMPARE(flag.exitCode, 0);
    QCOMPARE(flag.out, asked.out);
}

void TestCli::helpAskedAnyWay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("-h") << QStringList{"-h"};
    QTest::newRow("after the root option") << QStringList{"--simulated-root=/nonexistent/velmora", "help"};
}

void TestCli::helpAskedAnyWay()
{
    QFETCH(QStringList, args);
    const QString ctl = QStringLiteral(VELMORA_BIN_DIR "/velmoractl");
    const ProgramRun help = runProgram(ctl, {"help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith("usage: velmoractl [--simulated-root DIR] COMMAND [ARGUMENTS...]\n"));
    const ProgramRun r = runProgram(ctl, args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.out, help.out);
}

void TestCli::doubleDashEndsOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QVariant>("stored"); // invalid: refused with exit 2, nothing written
    QTest::addColumn<int>("restarts");
    const QString id = "menubar.clock-date-format";
    QTest::newRow("an option's name as the value")
        << QStringList{"set", id, "--", "--restart"} << QVariant("--restart") << 0;
    QTest::newRow("the option before --")
        << QStringList{"set", "--restart", id, "--", "--json"} << QVariant("--json") << 1;
    QTest::newRow("-- before every argument")
        << QStringList{"set", "--", id, "-- EEE"} << QVariant("-- EEE") << 0;
    QTest::newRow("-- as the value") << QStringList{"set", id, "--", "--"} << QVariant("--") << 0;
    QTest::newRow("one dash needs no --") << QStringList{"set", id, "-d"} << QVariant("-d") << 0;
    QTest::newRow("two dashes without --") << QStringList{"set", id, "--HH:mm"} << QVariant() << 0;
}

void TestCli::doubleDashEndsOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QVariant, stored);
    QFETCH(int, restarts);
    TestRoot root;
    const QVariantMap before = root.domain("com.apple.menuextra.clock");
    const ProgramRun r = runVelmoractl(root, args);
    QCOMPARE(root.restartLog().size(), restarts);
    if (!stored.isValid()) {
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("Unknown option 'HH:mm'"), qPrintable(r.err));
        QCOMPARE(root.domain("com.apple.menuextra.clock"), before);
        return;
    }
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith("menubar.clock-date-format = " + stored.toString() + "\n"), qPrintable(r.out));
    QCOMPARE(root.domain("com.apple.menuextra.clock").value("DateFormat"), stored);
}

void TestCli::failedWriteReportsTheToolsText()
{
    TestRoot root;
    // A domain file the tool cannot read: the write fails and the tool's own text reaches the user.
    QVERIFY(writeAll(*root.root().domainFile("com.apple.finder"), "bplist00 damaged"));
    const ProgramRun r = runVelmoractl(root, {"set", "finder.show-pathbar", "off"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(
        r.err.contains("Command failed (exit 1): defaults write com.apple.finder ShowPathbar -bool false\n"));
}

void TestCli::fullDiskLeavesTheDomainAsItWas()
{
    VELMORA_IN_OWN_MOUNT_NAMESPACE();
    const SmallFileSystem disk(16 * 1024);
    if (!disk.mounted())
        QSKIP(qPrintable("no small file system can be made here: " + disk.mounted().error()));
    const SimulatedRoot root(disk.path() + "/mac");
    QVERIFY(root.initialize());
    const QString dock = *root.domainFile("com.apple.dock");
    const QByteArray before = readAll(dock);
    QVERIFY(!before.isEmpty());
    const QStringList filesBefore =
        QDir(root.preferencesFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    QVERIFY(disk.fill());

    const ProgramRun r = runProgram(QStringLiteral(VELMORA_BIN_DIR "/velmoractl"),
                                    {"--simulated-root", root.path(), "set", "dock.tilesize", "30"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("No space left on device"), qPrintable(r.err));
    QVERIFY2(r.err.contains(dock), qPrintable(r.err));
    QCOMPARE(readAll(dock), before);
    QCOMPARE(QDir(root.preferencesFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
             filesBefore);
}

void TestCli::onlyInitCreatesANamedRoot_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("folderExists"); // an empty folder rather than none at all
    const QList<QStringList> commands{
        {"get", "dock.tilesize"},   {"list", "dock"},      {"set", "dock.tilesize", "64"},
        {"reset", "dock.tilesize"}, {"restart", "Dock"},   {"profile", "save", "/dev/null"},
        {"dock", "show"},           {"wallpaper", "show"}, {"access"},
    };
    for (const QStringList &command : commands) {
        for (bool exists : {false, true}) {
            const QString name = command.join(' ') + (exists ? ", empty folder" : ", no folder");
            QTest::newRow(qPrintable(name)) << command << exists;
        }
    }
}

void TestCli::onlyInitCreatesANamedRoot()
{
    QFETCH(QStringList, args);
    QFETCH(bool, folderExists);
    QTemporaryDir dir;
    // A space in the path: the suggested command must still work when pasted.
    const QString path = dir.filePath(folderExists ? "my mac" : "no such/my mac");
    if (folderExists)
        QVERIFY(QDir().mkpath(path));
    const QString ctl = QStringLiteral(VELMORA_BIN_DIR "/velmoractl");
    const ProgramRun r = runProgram(ctl, QStringList{"--simulated-root", path} + args);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("velmoractl: %1 holds no simulated Mac; create one with: velmoractl "
                                   "--simulated-root '%1' init\n")
                        .arg(path));
    QCOMPARE(QFileInfo::exists(path), folderExists);
    if (folderExists)
        QVERIFY(QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

    // The command it suggests creates the Mac, and then the command works.
    QCOMPARE(runProgram(ctl, {"--simulated-root", path, "init"}).exitCode, 0);
    QVERIFY(SimulatedRoot(path).isInitialized());
    const ProgramRun again = runProgram(ctl, QStringList{"--simulated-root", path} + args);
    QVERIFY2(!again.err.contains("holds no simulated Mac"), qPrintable(again.err));
}

void TestCli::theDefaultRootIsCreatedOnFirstUse()
{
    QTemporaryDir dataHome;
    const QString defaultRoot = dataHome.path() + "/Velmora/Simulated Mac";
    // Commands that need no Mac make none.
    QCOMPARE(runWithoutRoot({"help"}, dataHome.path()).exitCode, 0);
    QCOMPARE(runWithoutRoot({"catalogue"}, dataHome.path()).exitCode, 0);
    QVERIFY(!QFileInfo::exists(defaultRoot));

    const ProgramRun first = runWithoutRoot({"get", "dock.tilesize"}, dataHome.path());
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.out, QStringLiteral("48\n"));
    QVERIFY(SimulatedRoot(defaultRoot).isInitialized());
    // Named explicitly, the default root is still the default root, and made on first use too.
    QTemporaryDir otherHome;
    const QString named = otherHome.path() + "/Velmora/Simulated Mac";
    const ProgramRun explicitly =
        runWithoutRoot({"--simulated-root", named, "get", "dock.tilesize"}, otherHome.path());
    QCOMPARE(explicitly.out, QStringLiteral("48\n"));
    QVERIFY(SimulatedRoot(named).isInitialized());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
