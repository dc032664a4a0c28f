// The stand-in `defaults` run as a child process against a fresh simulated Mac, its files read
// back with our own property-list codec.

#include "platform/simulated/SimulatedRoot.h"
#include "plist/OpenStepText.h"
#include "plist/PropertyList.h"
#include "support/PlistTreeEquality.h"
#include "support/TestRoot.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#include <limits>

using namespace velmora;

namespace {

const QString kDomain = QStringLiteral("com.example.test");
const QString kDotfileCommands = QStringLiteral("/work/shared/fixtures/real/defaults-commands.txt");
const QByteArray kUsage = "write <domain> <key> <value>";

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// A simulated Mac one level below the temporary folder, so a path that escapes the root still
// lands where the test can see it.
class Sandbox {
public:
    explicit Sandbox(bool seeded = true) : m_root(m_dir.path() + QStringLiteral("/mac"))
    {
        QDir().mkpath(m_root.path());
        if (seeded)
            m_seeded = m_root.initialize().ok();
    }

    bool isValid() const { return m_dir.isValid() && m_seeded; }
    const SimulatedRoot &root() const { return m_root; }
    QString file(const QString &domain) const { return *m_root.domainFile(domain); }

    void start(QProcess &process, const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(SimulatedRoot::environmentVariable()), m_root.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VELMORA_LIBEXEC_DIR "/defaults"), arguments);
    }

    Run run(const QStringList &arguments, const QByteArray &input = QByteArray()) const
    {
        QProcess process;
        start(process, arguments);
        process.write(input);
        process.closeWriteChannel();
        Run run;
        if (process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit)
            run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
        return run;
    }

    QVariantMap domainAt(const QString &path) const { return PropertyList::readFile(path)->toMap(); }
    QVariantMap domain(const QString &name = kDomain) const { return domainAt(file(name)); }
    void setDomain(const QVariantMap &values, const QString &name = kDomain) const
    {
        QVERIFY(PreferenceDomainFile(file(name)).save(values));
    }

    // Every file under the temporary folder with its size, to see that nothing appeared or changed.
    QStringList snapshot() const
    {
        QStringList entries;
        QDirIterator it(m_dir.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            entries << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
        }
        entries.sort();
        return entries;
    }

private:
    QTemporaryDir m_dir;
    SimulatedRoot m_root;
    bool m_seeded = true;
};

QVariant i64(qint64 n)
{
    return QVariant::fromValue(n);
}

QDateTime utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

QVariant oldStyle(const QString &text)
{
    return *OpenStepText::parse(text);
}

// Enough of the shell's word splitting for one-line `defaults` commands: quotes, backslashes.
QStringList shellWords(const QString &line)
{
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            inWord = true;
            while (++i < line.size() && line[i] != c) {
                if (c == QLatin1Char('"') && line[i] == QLatin1Char('\\') && i + 1 < line.size() &&
                    QStringLiteral("\"\\$`").contains(line[i + 1]))
                    ++i;
                word += line[i];
            }
        } else if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            inWord = true;
            word += line[++i];
        } else if (!c.isSpace()) {
            inWord = true;
            word += c;
        } else if (inWord) {
            words << word;
            word.clear();
            inWord = false;
        }
    }
    if (inWord)
        words << word;
    return words;
}

} // namespace

class TestDefaultsTool : public QObject {
    Q_OBJECT

private slots:
    void write_data();
    void write();
    void refusedWriteLeavesFileUnchanged_data();
    void refusedWriteLeavesFileUnchanged();
    void changeKeepsOtherKeysAndTypes_data();
    void changeKeepsOtherKeysAndTypes();
    void messagesAndStatuses_data();
    void messagesAndStatuses();
    void deleteTwice();
    void domainFiles_data();
    void domainFiles();
    void corruptDomainFile_data();
    void corruptDomainFile();
    void valuesThatWouldBiteAShell_data();
    void valuesThatWouldBiteAShell();
    void readKeyOutput_data();
    void readKeyOutput();
    void readEverythingAndListDomains();
    void wholeDomainWrite_data();
    void wholeDomainWrite();
    void exportAndImport();
    void realDotfileScriptRuns();
    void simultaneousChangesAreAllKept_data();
    void simultaneousChangesAreAllKept();
};

void TestDefaultsTool::write_data()
{
    QTest::addColumn<QList<QStringList>>("writes"); // the value arguments of each `write DOMAIN key`
    QTest::addColumn<QVariant>("expected");
    const auto row = [](const char *name, const QList<QStringList> &writes, const QVariant &expected) {
        QTest::newRow(name) << writes << expected;
    };
    const auto one = [&](const char *name, const QStringList &value, const QVariant &expected) {
        row(name, {value}, expected);
    };

    // Typed values.
    one("string", {"-string", "Nlsv"}, "Nlsv");
    one("string looking like a flag", {"-string", "-bool"}, "-bool");
    one("string of old-style text stays text", {"-string", "()"}, "()");
    one("empty string", {"-string", ""}, QString(""));
    one("int", {"-int", "42"}, i64(42));
    one("int plus sign", {"-int", "+3"}, i64(3));
    one("int largest", {"-int", "9223372036854775807"}, i64(std::numeric_limits<qint64>::max()));
    one("int smallest", {"-int", "-9223372036854775808"}, i64(std::numeric_limits<qint64>::min()));
    one("integer", {"-integer", "262144"}, i64(262144));
    one("float small", {"-float", "0.001"}, 0.001);
    one("float exponent", {"-float", "1e3"}, 1000.0);
    one("float negative", {"-float", "-2.5"}, -2.5);
    one("float whole stays real", {"-float", "2"}, 2.0);
    one("float leading dot", {"-float", ".5"}, 0.5);
    one("bool YES", {"-bool", "YES"}, true);
    one("bool FaLsE", {"-bool", "FaLsE"}, false);
    one("bool No", {"-bool", "No"}, false);
    one("boolean, lower case", {"-boolean", "true"}, true);
    one("date as printed", {"-date", "2024-01-02 03:04:05 +0000"}, utc(2024, 1, 2, 3, 4, 5));
    one("date with offset", {"-date", "2024-01-02 05:04:05 +0200"}, utc(2024, 1, 2, 3, 4, 5));
    one("date ISO", {"-date", "2024-01-02T03:04:05Z"}, utc(2024, 1, 2, 3, 4, 5));
    one("date day", {"-date", "2024-01-02"}, utc(2024, 1, 2));
    one("data", {"-data", "0a0b0C0D"}, QByteArray("\x0a\x0b\x0c\x0d"));
    one("data empty", {"-data", ""}, QByteArray(""));

    // Untyped values: old-style or XML property lists, otherwise the text as a string.
    one("untyped empty array", {"()"}, QVariantList());
    one("digits stay a string", {"1"}, "1");
    one("negative stays a string", {"-5"}, "-5");
    one("untyped empty", {""}, QString(""));
    one("old-style array", {"(a, \"b c\", 3)"}, QVariantList{"a", "b c", "3"});
    one("old-style dictionary", {"{a = 1; b = (x);}"}, QVariantMap{{"a", "1"}, {"b", QVariantList{"x"}}});
    one("old-style data", {"<0a0b>"}, QByteArray("\x0a\x0b"));
    one("xml true", {"<true/>"}, true);
    one("xml integer", {"<integer>5</integer>"}, i64(5));
    one("xml real", {"<real>0.5</real>"}, 0.5);
    one("xml dict", {"<dict><key>enabled</key><false/></dict>"}, QVariantMap{{"enabled", false}});
    one("broken old-style", {"{broken"}, "{broken");
    one("broken xml", {"<dict><key>a</key>"}, "<dict><key>a</key>");
    one("url", {"http://example.com/?q=1"}, "http://example.com/?q=1");

    // Arrays and dictionaries, written whole or added to.
    const QString tile =
        "<dict><key>tile-data</key><dict><key>file-data</key><dict><key>_CFURLString</key>"
        "<string>/Applications/Safari.app</string><key>_CFURLStringType</key><integer>0</integer>"
        "</dict></dict></dict>";
    const QVariantMap tileValue{
        {"tile-data", QVariantMap{{"file-data", QVariantMap{{"_CFURLString", "/Applications/Safari.app"},
                                                            {"_CFURLStringType", i64(0)}}}}}};
    one("array of typed and untyped items",
        {"-array", "-int", "4", "-string", "(x)", "(a)", "-bool", "yes", "4"},
        QVariantList{i64(4), "(x)", QVariantList{"a"}, true, "4"});
    one("empty array", {"-array"}, QVariantList());
    row("array replaces", {{"-array", "a", "b"}, {"-array", "c"}}, QVariantList{"c"});
    one("array-add creates", {"-array-add", "-int", "1"}, QVariantList{i64(1)});
    row("array-add appends", {{"-array", "a"}, {"-array-add", "b", "-int", "2"}},
        QVariantList{"a", "b", i64(2)});
    row("dock tile", {{"-array"}, {"-array-add", tile}, {"-array-add", tile}},
        QVariantList{tileValue, tileValue});
    one("spotlight items",
        {"-array", "{\"enabled\" = 1;\"name\" = \"APPLICATIONS\";}", "{\"enabled\" = 0;\"name\" = \"PDF\";}"},
        oldStyle("({enabled = 1; name = APPLICATIONS;}, {enabled = 0; name = PDF;})"));
    one("dict typed", {"-dict", "General", "-bool", "true", "Size", "-int", "3", "Name", "X"},
        QVariantMap{{"General", true}, {"Size", i64(3)}, {"Name", "X"}});
    one("empty dict", {"-dict"}, QVariantMap());
    one("dict keys are raw", {"-dict", "-bool", "x", "(k)", "-int", "1"},
        QVariantMap{{"-bool", "x"}, {"(k)", i64(1)}});
    row("dict replaces", {{"-dict", "a", "1"}, {"-dict", "b", "2"}}, QVariantMap{{"b", "2"}});
    row("dict-add merges",
        {{"-dict", "a", "-int", "1", "b", "-int", "2"}, {"-dict-add", "b", "-int", "3", "c", "<false/>"}},
        QVariantMap{{"a", i64(1)}, {"b", i64(3)}, {"c", false}});
    one("dict-add creates", {"-dict-add", "70", "<dict><key>enabled</key><false/></dict>"},
        QVariantMap{{"70", QVariantMap{{"enabled", false}}}});
}

void TestDefaultsTool::write()
{
    QFETCH(QList<QStringList>, writes);
    QFETCH(QVariant, expected);
    const Sandbox box(false);

    for (const QStringList &value : writes) {
        const Run run = box.run(QStringList{"write", kDomain, "key"} + value);
        QCOMPARE(run.out + run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
    }
    COMPARE_TREE(box.domain().value("key"), expected);
}

void TestDefaultsTool::refusedWriteLeavesFileUnchanged_data()
{
    QTest::addColumn<QVariant>("existing");
    QTest::addColumn<QStringList>("value");
    QTest::addColumn<QString>("message"); // part of the one line on standard error
    const auto row = [](const char *name, const QStringList &value, const char *message,
                        const QVariant &existing = i64(36)) {
        QTest::newRow(name) << existing << value << QString(message);
    };

    row("int word", {"-int", "abc"}, "Cannot write \"abc\" as an integer.");
    row("int fraction", {"-int", "1.5"}, "as an integer");
    row("int hex", {"-int", "0x10"}, "as an integer");
    row("int empty", {"-int", ""}, "as an integer");
    row("int space", {"-int", " 5"}, "as an integer");
    row("int overflow", {"-int", "9223372036854775808"}, "as an integer");
    row("int final newline", {"-int", "49\n"}, "Cannot write \"49\\n\" as an integer.");
    row("int huge word", {"-int", QString(100000, 'x')},
        qPrintable("Cannot write \"" + QString(100, 'x') + "… (99900 more bytes)\" as an integer."));
    row("int with a tab", {"-int", "4\t9"}, "Cannot write \"4\\t9\" as an integer.");
    row("bool word", {"-bool", "maybe"}, "Cannot write \"maybe\" as a boolean");
    row("bool one", {"-bool", "1"}, "as a boolean");
    row("bool empty", {"-boolean", ""}, "as a boolean");
    row("float trailing", {"-float", "1.5x"}, "as a floating-point number");
    row("float comma", {"-float", "1,5"}, "as a floating-point number");
    row("float empty", {"-float", ""}, "as a floating-point number");
    row("date word", {"-date", "yesterday"}, "as a date");
    row("date bad month", {"-date", "2024-13-01"}, "as a date");
    row("date bad hour", {"-date", "2024-01-02 25:00:00 +0000"}, "as a date");
    row("date final newline", {"-date", "2024-01-02 03:04:05 +0000\n"}, "as a date");
    row("ISO date final newline", {"-date", "2024-01-02T03:04:05Z\n"}, "as a date");
    row("data odd", {"-data", "abc"}, "as data");
    row("data not hex", {"-data", "zz"}, "as data");
    row("data spaced", {"-data", "0a 0b"}, "as data");
    row("data final newline", {"-data", "0a0b\n"}, "as data");
    row("missing value", {"-int"}, "Missing value after -int.");
    row("extra argument", {"-string", "two", "words"}, "Unexpected argument \"words\"");
    row("array bad item", {"-array", "1", "-int", "x"}, "as an integer");
    row("array missing item", {"-array", "-bool"}, "Missing value after -bool.");
    row("array nested", {"-array", "-array"}, "cannot be nested");
    row("dict odd", {"-dict", "a", "1", "b"}, "Missing value for the key \"b\"");
    row("dict bad value", {"-dict-add", "a", "-int", "x"}, "as an integer");
    row("dict missing typed", {"-dict", "a", "-bool"}, "Missing value after -bool.");

    // Adding to a value of the wrong type.
    const char *notArray = "Value for key key is not an array; cannot append.  Leaving defaults unchanged.";
    const char *notDict = "Value for key key is not a dictionary; cannot add.  Leaving defaults unchanged.";
    row("append to string", {"-array-add", "y"}, notArray, "x");
    row("append to dictionary", {"-array-add", "y"}, notArray, QVariantMap{{"a", 1}});
    row("add to array", {"-dict-add", "k", "v"}, notDict, QVariantList{"a"});
    row("add to integer", {"-dict-add", "k", "v"}, notDict, i64(3));
}

void TestDefaultsTool::refusedWriteLeavesFileUnchanged()
{
    QFETCH(QVariant, existing);
    QFETCH(QStringList, value);
    QFETCH(QString, message);
    const Sandbox box(false);
    box.setDomain({{"key", existing}, {"other", true}});
    const QByteArray before = test::readAll(box.file(kDomain));

    const Run run = box.run(QStringList{"write", kDomain, "key"} + value);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QCOMPARE(run.err.count('\n'), 1);
    QCOMPARE(test::readAll(box.file(kDomain)), before);
}

void TestDefaultsTool::changeKeepsOtherKeysAndTypes_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QVariant>("changedBefore");
    QTest::newRow("write") << QStringList{"write", kDomain, "changed", "-int", "1"} << QVariant("before");
    QTest::newRow("write untyped") << QStringList{"write", kDomain, "changed", "(a)"} << QVariant("before");
    QTest::newRow("array-add") << QStringList{"write", kDomain, "changed", "-array-add", "x"}
                               << QVariant(QVariantList{"before"});
    QTest::newRow("dict-add") << QStringList{"write", kDomain, "changed", "-dict-add", "k", "-float", "1"}
                              << QVariant(QVariantMap{{"before", true}});
    QTest::newRow("delete") << QStringList{"delete", kDomain, "changed"} << QVariant("before");
}

void TestDefaultsTool::changeKeepsOtherKeysAndTypes()
{
    QFETCH(QStringList, command);
    QFETCH(QVariant, changedBefore);
    const Sandbox box(false);
    const QVariantMap others{
        {"bool", true},
        {"int", i64(-3)},
        {"huge", QVariant::fromValue(std::numeric_limits<quint64>::max())},
        {"whole real", 2.0},
        {"real", 0.6065306597},
        {"string", "Exposé"},
        {"digits", "42"},
        {"date", QDateTime(QDate(2019, 12, 1), QTime(8, 30, 15, 250), QTimeZone::utc())},
        {"data", QByteArray("\x00\xff", 2)},
        {"array", QVariantList{i64(1), "1", 1.0, false}},
        {"dict", QVariantMap{{"nested", QVariantMap{{"empty", QVariantList()}}}}},
    };
    QVariantMap initial = others;
    initial.insert("changed", changedBefore);
    box.setDomain(initial);

    const Run run = box.run(command);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVariantMap after = box.domain();
    after.remove("changed");
    COMPARE_TREE(QVariant(after), QVariant(others));
}

void TestDefaultsTool::messagesAndStatuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("err"); // kUsage: the usage text; empty: any message
    const auto row = [](const char *name, const QStringList &arguments, int exitCode, const QByteArray &err) {
        QTest::newRow(name) << arguments << exitCode << err;
    };
    const QByteArray notChanged = "Defaults have not been changed.\n";

    row("read missing domain", {"read", "com.example.none"}, 1, "\nDomain com.example.none does not exist\n");
    row("read missing key", {"read", "com.apple.dock", "nope"}, 1,
        "\nThe domain/default pair of (com.apple.dock, nope) does not exist\n");
    row("read key of missing domain", {"read", "com.example.none", "k"}, 1,
        "\nThe domain/default pair of (com.example.none, k) does not exist\n");
    row("read-type missing key", {"read-type", "-g", "nope"}, 1,
        "\nThe domain/default pair of (-g, nope) does not exist\n");
    row("delete missing domain", {"delete", "com.example.none"}, 1,
        "Domain (com.example.none) not found.\n" + notChanged);
    row("delete missing key", {"delete", "com.apple.dock", "nope"}, 1,
        "Domain (com.apple.dock) not found.\n" + notChanged);
    row("delete missing key of a path domain", {"delete", "/Library/Preferences/com.example.none", "k"}, 1,
        "Domain (/Library/Preferences/com.example.none) not found.\n" + notChanged);
    row("host", {"-host", "mac.local", "read"}, 1, "defaults: -host is not supported on the simulated Mac\n");
    row("whole domain not a dictionary", {"write", "com.apple.dock", "tilesize"}, 1,
        "Rep argument is not a dictionary\n" + notChanged);
    row("whole domain an array", {"write", "com.apple.dock", "(a)"}, 1,
        "Rep argument is not a dictionary\n" + notChanged);

    row("nothing", {}, 255, kUsage);
    row("help", {"help"}, 0, kUsage);
    row("unknown verb", {"frobnicate"}, 255, kUsage);
    row("only options", {"-currentHost"}, 255, kUsage);
    row("write without key", {"write", kDomain}, 255, kUsage);
    row("read-type without key", {"read-type", kDomain}, 255, kUsage);
    row("read with extra", {"read", kDomain, "a", "b"}, 255, kUsage);

    // Names that are no plain domain, or paths that leave the root: refused by every verb.
    for (const char *name :
         {"../x", "a/b", ".", "..", "", "com.x\ny", "/../x", "/Library/../../x", "~/../../../x"}) {
        const QString domain = QString::fromUtf8(name);
        const QList<std::pair<const char *, QStringList>> commands{
            {"write", {"write", domain, "k", "-string", "v"}},
            {"whole write", {"write", domain, "{k = v;}"}},
            {"delete", {"delete", domain}},
            {"host write", {"-currentHost", "write", domain, "k", "v"}}};
        for (const auto &[verb, command] : commands)
            QTest::addRow("%s of \"%s\"", verb, qPrintable(QString(domain).replace('\n', "\\n")))
                << command << 1 << QByteArray();
    }
}

void TestDefaultsTool::messagesAndStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    const Sandbox box;
    QVERIFY(box.isValid());
    const QStringList before = box.snapshot();

    const Run run = box.run(arguments);
    if (err == kUsage)
        QVERIFY2(run.err.contains(kUsage), run.err.constData());
    else if (err.isEmpty())
        QVERIFY(!run.err.isEmpty());
    else
        QCOMPARE(run.err, err);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(box.snapshot(), before);
}

void TestDefaultsTool::deleteTwice()
{
    const Sandbox box;
    QVERIFY(box.isValid());
    // A key, then the whole domain: each goes silently, and a second delete finds nothing.
    for (const QStringList &command :
         {QStringList{"delete", "com.apple.dock", "tilesize"}, QStringList{"delete", "com.apple.dock"}}) {
        const Run run = box.run(command);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out + run.err, QByteArray());
        const Run again = box.run(command);
        QCOMPARE(again.exitCode, 1);
        QCOMPARE(again.err,
                 QByteArray("Domain (com.apple.dock) not found.\nDefaults have not been changed.\n"));
    }
    QVERIFY(!QFileInfo::exists(box.file("com.apple.dock")));
}

void TestDefaultsTool::domainFiles_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("file"); // under the root; empty for the global domain's own file
    const auto row = [](const char *name, const QStringList &options, const char *domain, const char *file) {
        QTest::newRow(name) << options << QString(domain) << QString(file);
    };
    row("-g", {}, "-g", "");
    row("-globalDomain", {}, "-globalDomain", "");
    row("NSGlobalDomain", {}, "NSGlobalDomain", "");
    row("current host -g", {"-currentHost"}, "-g", "");
    row("current host NSGlobalDomain", {"-currentHost"}, "NSGlobalDomain", "");
    row("system preferences", {}, "/Library/Preferences/com.apple.loginwindow",
        "Library/Preferences/com.apple.loginwindow.plist");
    row("with extension", {}, "/Library/Preferences/com.apple.windowserver.plist",
        "Library/Preferences/com.apple.windowserver.plist");
    row("hidden folder", {}, "/.Spotlight-V100/VolumeConfiguration",
        ".Spotlight-V100/VolumeConfiguration.plist");
    row("home", {}, "~/Library/Preferences/org.gpgtools.gpgmail",
        "Users/user/Library/Preferences/org.gpgtools.gpgmail.plist");
}

void TestDefaultsTool::domainFiles()
{
    QFETCH(QStringList, options);
    QFETCH(QString, domain);
    QFETCH(QString, file);
    const Sandbox box;
    QVERIFY(box.isValid());
    const bool global = file.isEmpty();
    const bool byHost = options.contains("-currentHost");
    const QString path = !global  ? box.root().path() + "/" + file
                         : byHost ? *box.root().byHostDomainFile(".GlobalPreferences")
                                  : box.root().globalPreferencesFile();

    Run run = box.run(options + QStringList{"write", domain, "com.apple.mouse.tapBehavior", "-int", "1"});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    COMPARE_TREE(box.domainAt(path).value("com.apple.mouse.tapBehavior"), i64(1));
    if (global) {
        QVERIFY(!QFileInfo::exists(box.file(domain)));
        if (!byHost)
            QCOMPARE(box.domainAt(path).value("AppleLocale"), QVariant("en_GB")); // seeded keys survive
    }
    // Read back; the global domain under another of its names.
    run = box.run(options +
                  QStringList{"read", global ? "NSGlobalDomain" : domain, "com.apple.mouse.tapBehavior"});
    QCOMPARE(run.out, QByteArray("1\n"));
}

void TestDefaultsTool::corruptDomainFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("command");

    const QByteArray binary =
        *PropertyList::serialize(QVariantMap{{"a", i64(1)}, {"b", "text"}}, PropertyList::Format::binary);
    const QList<std::pair<const char *, QByteArray>> contents = {
        {"garbage", QByteArray("not a plist\0\x01\x02", 14)},
        {"truncated binary", binary.left(binary.size() - 12)},
        {"array root", *PropertyList::serialize(QVariantList{"a"}, PropertyList::Format::xml)},
    };
    const QList<std::pair<const char *, QStringList>> commands = {
        {"write", {"write", kDomain, "a", "-int", "2"}},
        {"array-add", {"write", kDomain, "a", "-array-add", "x"}},
        {"dict-add", {"write", kDomain, "a", "-dict-add", "k", "v"}},
        {"delete key", {"delete", kDomain, "a"}},
        {"read", {"read", kDomain}},
        {"read key", {"read", kDomain, "a"}},
    };
    for (const auto &[contentName, content] : contents)
        for (const auto &[commandName, command] : commands)
            QTest::addRow("%s, %s", contentName, commandName) << content << command;
}

void TestDefaultsTool::corruptDomainFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, command);
    const Sandbox box(false);
    QVERIFY(test::writeAll(box.file(kDomain), content));

    const Run run = box.run(command);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("Could not read domain com.example.test: "), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(test::readAll(box.file(kDomain)), content);
}

void TestDefaultsTool::valuesThatWouldBiteAShell_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("spaces and quotes") << "Quit When \"Finished\", it's";
    QTest::newRow("command substitution") << "$(touch pwned) `touch pwned`";
    QTest::newRow("command separators") << "a; touch pwned | b > pwned &";
    QTest::newRow("glob") << "*";
    QTest::newRow("leading dash") << "-rf";
    QTest::newRow("newlines") << "line 1\nline 2\n";
    QTest::newRow("backslashes") << "C:\\new\\table \\U21a9";
    QTest::newRow("non-ASCII") << "Exposé ⌘ 🌐";
    QTest::newRow("old-style text") << "{a = (b);}";
}

void TestDefaultsTool::valuesThatWouldBiteAShell()
{
    QFETCH(QString, text);
    const Sandbox box(false);

    // The text as a value, as a key and as an array item.
    for (const QStringList &write : {QStringList{"write", kDomain, "value", "-string", text},
                                     QStringList{"write", kDomain, text, "-string", "as a key"},
                                     QStringList{"write", kDomain, "items", "-array", "-string", text}})
        QCOMPARE(box.run(write).exitCode, 0);
    COMPARE_TREE(QVariant(box.domain()),
                 QVariant(QVariantMap{{"value", text}, {text, "as a key"}, {"items", QVariantList{text}}}));

    QCOMPARE(QString::fromUtf8(box.run({"read", kDomain, "value"}).out), text + "\n");
    QCOMPARE(box.run({"read", kDomain, text}).out, QByteArray("as a key\n"));
    // The array is printed as old-style text, which must read back as the same string.
    COMPARE_TREE(oldStyle(QString::fromUtf8(box.run({"read", kDomain, "items"}).out)),
                 QVariant(QVariantList{text}));
    QVERIFY(!(QDir(box.root().path()).entryList() + QDir().entryList()).contains("pwned"));
}

void TestDefaultsTool::readKeyOutput_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("type");

    const auto row = [](const char *name, const QVariant &value, const QByteArray &out,
                        const QByteArray &type) { QTest::newRow(name) << value << out << type; };
    row("true", true, "1\n", "boolean");
    row("false", false, "0\n", "boolean");
    row("integer", i64(-7), "-7\n", "integer");
    row("unsigned integer", QVariant::fromValue(std::numeric_limits<quint64>::max()),
        "18446744073709551615\n", "integer");
    row("real", 0.5, "0.5\n", "float");
    row("whole real", 2.0, "2\n", "float");
    row("string", "two words", "two words\n", "string");
    row("date", utc(2024, 1, 2, 3, 4, 5), "2024-01-02 03:04:05 +0000\n", "date");
    row("data", QByteArray("\x0a\x0b\x0c\x0d\x0e"), "<0a0b0c0d 0e>\n", "data");
    row("array", QVariantList{"a", "b c", i64(1)}, "(\n    a,\n    \"b c\",\n    1\n)\n", "array");
    row("dictionary", QVariantMap{{"x", QVariantMap{{"y", QVariantList()}}}},
        "{\n    x =     {\n        y =         (\n        );\n    };\n}\n", "dictionary");
}

void TestDefaultsTool::readKeyOutput()
{
    QFETCH(QVariant, value);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, type);
    const Sandbox box(false);
    box.setDomain({{"key", value}});

    const Run run = box.run({"read", kDomain, "key"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, out);
    QCOMPARE(box.run({"read-type", kDomain, "key"}).out, "Type is " + type + "\n");
}

void TestDefaultsTool::readEverythingAndListDomains()
{
    const Sandbox box(false);
    box.setDomain({{"b", "2"}}, "com.example.b");
    box.setDomain({{"a", "1"}}, "com.example.a");
    QCOMPARE(box.run({"write", "-g", "AppleLocale", "en_GB"}).exitCode, 0);
    QCOMPARE(box.run({"-currentHost", "write", "com.example.host", "k", "v"}).exitCode, 0);

    Run run = box.run({"domains"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("com.example.a, com.example.b\n"));

    // The dump is old-style text; our own parser reads it back.
    run = box.run({"read"});
    QCOMPARE(run.exitCode, 0);
    COMPARE_TREE(oldStyle(QString::fromUtf8(run.out)),
                 oldStyle("{NSGlobalDomain = {AppleLocale = \"en_GB\";}; com.example.a = {a = 1;}; "
                          "com.example.b = {b = 2;};}"));
}

void TestDefaultsTool::wholeDomainWrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("old-style") << "{a = 1; b = (x, y);}" << oldStyle("{a = 1; b = (x, y);}");
    QTest::newRow("xml") << "<dict><key>a</key><integer>1</integer></dict>"
                         << QVariant(QVariantMap{{"a", i64(1)}});
    QTest::newRow("empty") << "{}" << QVariant(QVariantMap());
}

void TestDefaultsTool::wholeDomainWrite()
{
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    const Sandbox box(false);
    box.setDomain({{"old", true}});
    QCOMPARE(box.run({"write", kDomain, text}).exitCode, 0);
    COMPARE_TREE(QVariant(box.domain()), expected);
}

void TestDefaultsTool::exportAndImport()
{
    const Sandbox box;
    QVERIFY(box.isValid());
    const QVariant dock = box.domain("com.apple.dock");
    const QString exported = box.root().path() + "/../dock export.plist";
    const QString copy = "com.example.copy";

    QCOMPARE(box.run({"export", "com.apple.dock", exported}).exitCode, 0);
    QVERIFY(test::readAll(exported).startsWith("<?xml"));
    COMPARE_TREE(*PropertyList::readFile(exported), dock);
    Run run = box.run({"export", "com.apple.dock", "-"});
    QCOMPARE(run.exitCode, 0);
    COMPARE_TREE(*PropertyList::parse(run.out), dock);

    QCOMPARE(box.run({"import", copy, exported}).exitCode, 0);
    COMPARE_TREE(QVariant(box.domain(copy)), dock);
    const QVariantMap replacement{{"only", 1.5}};
    QCOMPARE(
        box.run({"import", copy, "-"}, *PropertyList::serialize(replacement, PropertyList::Format::binary))
            .exitCode,
        0);
    COMPARE_TREE(QVariant(box.domain(copy)), QVariant(replacement));

    // Not a dictionary, not a property list, no file: refused, and the domain stays as it was.
    const QByteArray before = test::readAll(box.file(copy));
    QCOMPARE(
        box.run({"import", copy, "-"}, *PropertyList::serialize(QVariantList{1}, PropertyList::Format::xml))
            .exitCode,
        1);
    QCOMPARE(box.run({"import", copy, "-"}, "garbage").exitCode, 1);
    QCOMPARE(box.run({"import", copy, box.root().path() + "/missing.plist"}).exitCode, 1);
    QCOMPARE(test::readAll(box.file(copy)), before);

    run = box.run({"export", "com.example.none", "-"});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("\nDomain com.example.none does not exist\n"));
}

void TestDefaultsTool::realDotfileScriptRuns()
{
    QFile script(kDotfileCommands);
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text))
        QSKIP("the collection of real defaults commands is not on this machine");
    const Sandbox box;
    QVERIFY(box.isValid());

    int commands = 0;
    QStringList failures;
    for (const QString &line : QString::fromUtf8(script.readAll()).split(QLatin1Char('\n'))) {
        QStringList words = shellWords(line);
        if (words.value(0) == "sudo")
            words.removeFirst();
        const bool isWrite =
            words.value(0) == "defaults" &&
            (words.value(1) == "write" || (words.value(1) == "-currentHost" && words.value(2) == "write"));
        if (!isWrite)
            continue;
        ++commands;
        const Run run = box.run(words.mid(1));
        if (run.exitCode != 0)
            failures << line + "\n  -> " + QString::fromUtf8(run.err);
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    QVERIFY(commands > 200);

    // Lines whose quoting or domain is easy to get wrong; the plainer ones match the write rows above.
    COMPARE_TREE(box.domain("com.apple.mail").value("NSUserKeyEquivalents"),
                 QVariant(QVariantMap{{"Send", "@\\U21a9"}}));
    COMPARE_TREE(box.domain("com.apple.finder").value("FXInfoPanesExpanded"),
                 QVariant(QVariantMap{{"General", true}, {"OpenWith", true}, {"Privileges", true}}));
    const QVariantList spotlight = box.domain("com.apple.spotlight").value("orderedItems").toList();
    QCOMPARE(spotlight.size(), 22);
    COMPARE_TREE(spotlight.first(), oldStyle("{enabled = 1; name = APPLICATIONS;}"));
    const QVariantList apps = box.domain("com.apple.dock").value("persistent-apps").toList();
    QCOMPARE(apps.size(), 1);
    QCOMPARE(apps.first().toMap()["tile-data"].toMap()["file-data"].toMap()["_CFURLString"],
             QVariant("${safe_path}"));
    COMPARE_TREE(box.domainAt(*box.root().byHostDomainFile("com.apple.ImageCapture")).value("disableHotPlug"),
                 QVariant(true));
    COMPARE_TREE(box.domainAt(box.root().home() + "/Library/Preferences/org.gpgtools.gpgmail.plist")
                     .value("SignNewEmailsByDefault"),
                 QVariant(false));
}

void TestDefaultsTool::simultaneousChangesAreAllKept_data()
{
    // Two commands changing different keys of one domain; "%1" is the round, so every round
    // writes values the file has not held before.
    QTest::addColumn<QString>("domain"); // empty: the global domain
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("expected"); // the whole domain after both, as old-style text
    const QString d = kDomain;
    QTest::newRow("two writes") << d << QStringList{"write", d, "a", "%1"}
                                << QStringList{"write", d, "b", "%1"}
                                << "{a = %1; b = %1; list = (x); dict = {}; gone = 1;}";
    QTest::newRow("write and array-add")
        << d << QStringList{"write", d, "a", "%1"} << QStringList{"write", d, "list", "-array-add", "%1"}
        << "{a = %1; b = old; list = (x, %1); dict = {}; gone = 1;}";
    QTest::newRow("dict-add and delete")
        << d << QStringList{"write", d, "dict", "-dict-add", "k", "%1"} << QStringList{"delete", d, "gone"}
        << "{a = old; b = old; list = (x); dict = {k = %1;};}";
    QTest::newRow("global domain by two names") << QString() << QStringList{"write", "-g", "a", "%1"}
                                                << QStringList{"write", "NSGlobalDomain", "b", "%1"}
                                                << "{a = %1; b = %1; list = (x); dict = {}; gone = 1;}";
}

void TestDefaultsTool::simultaneousChangesAreAllKept()
{
    QFETCH(QString, domain);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, expected);
    const Sandbox box(false);
    const QString file = domain.isEmpty() ? box.root().globalPreferencesFile() : box.file(domain);
    constexpr int kRounds = 30;
    QStringList lost;
    for (int round = 1; round <= kRounds; ++round) {
        const QString n = QString::number(round);
        QVERIFY(PreferenceDomainFile(file).save(
            oldStyle("{a = old; b = old; list = (x); dict = {}; gone = 1;}").toMap()));
        // Started back to back, so their reads and writes of the file overlap.
        QProcess one, two;
        box.start(one, QStringList(first).replaceInStrings("%1", n));
        box.start(two, QStringList(second).replaceInStrings("%1", n));
        QVERIFY(one.waitForFinished(20000) && two.waitForFinished(20000));
        QCOMPARE(one.exitCode(), 0);
        QCOMPARE(two.exitCode(), 0);
        QString difference;
        if (!test::sameTree(oldStyle(QString(expected).replace("%1", n)), box.domainAt(file), &difference))
            lost << QStringLiteral("round %1: %2").arg(round).arg(difference);
    }
    QVERIFY2(lost.isEmpty(), qPrintable(QStringLiteral("a change lost in %1 of %2 rounds\n%3")
                                            .arg(lost.size())
                                            .arg(kRounds)
                                            .arg(lost.join('\n'))));
}

QTEST_GUILESS_MAIN(TestDefaultsTool)
#include "tst_defaults_tool.moc"
