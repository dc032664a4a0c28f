// Running programs, and reading and writing single preferences on a simulated Mac through the real
// stand-in `defaults` tool.

#include "platform/PreferenceStore.h"
#include "preferences/PreferencesBackend.h"
#include "preferences/ShellRunner.h"
#include "support/TestRoot.h"

#include <QDateTime>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::TweakValue)
Q_DECLARE_METATYPE(std::optional<velmora::TweakValue>)

namespace {

ShellRunner::RunResult run(const QString &program, const QStringList &args)
{
    return await(ShellRunner().run(program, args));
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

private slots:
    void runnerReportsWhatTheProgramSaid_data();
    void runnerReportsWhatTheProgramSaid();
    void runnerLaunchFailures_data();
    void runnerLaunchFailures();

    void readConvertsByDeclaredType_data();
    void readConvertsByDeclaredType();
    void readOfTheGlobalDomain();
    void writeRunsDefaultsWithExactArguments_data();
    void writeRunsDefaultsWithExactArguments();
    void valuesThatWouldBiteAShell_data();
    void valuesThatWouldBiteAShell();
    void aToolThatCannotStartIsNamed();
    void failedWriteSaysHowTheToolEnded_data();
    void failedWriteSaysHowTheToolEnded();
    void deleteOfMissingKeysSucceeds();
    void deleteFailures_data();
    void deleteFailures();
};

void TestPreferences::runnerReportsWhatTheProgramSaid_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("status, output untrimmed")
        << QByteArray("printf 'out\\n'\nprintf x >&2\nexit 1") << QStringList() << 1 << "out\n"
        << "x";
    // No shell splits, expands or quotes the arguments.
    QTest::newRow("arguments exactly as given")
        << QByteArray("for a in \"$@\"; do printf '[%s]' \"$a\"; done")
        << QStringList{"a b", "$(id)", "'q'", "", "*", "-x"} << 0 << "[a b][$(id)]['q'][][*][-x]"
        << QString();
    QTest::newRow("text that is not UTF-8 is emptied")
        << QByteArray("printf '\\377\\376abc'\nprintf 'caf\\303\\251' >&2") << QStringList() << 0 << QString()
        << QString::fromUtf16(u"caf\u00e9");
    // A child that fills one pipe before it writes the other blocks forever unless both are read.
    QTest::newRow("both pipes drained")
        << QByteArray("yes aaaaaaa | head -c 1048576\nyes bbbbbbb | head -c 1048576 >&2\nexit 3")
        << QStringList() << 3 << QString("aaaaaaa\n").repeated(131072)
        << QString("bbbbbbb\n").repeated(131072);
}

void TestPreferences::runnerReportsWhatTheProgramSaid()
{
    QFETCH(QByteArray, script);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    TestRoot root(TestRoot::Seed::none);
    QElapsedTimer timer;
    timer.start();
    const ShellRunner::RunResult result = run(root.writeTool("tool", "#!/bin/sh\n" + script + "\n"), args);
    QVERIFY(timer.elapsed() < 20000);
    QVERIFY(result.ok());
    QCOMPARE(result->exitCode, exitCode);
    QVERIFY(result->standardOutput == out); // not QCOMPARE: a megabyte of text is no message
    QVERIFY(result->standardError == err);
}

void TestPreferences::runnerLaunchFailures_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("command");
    QTest::newRow("missing program") << "/nonexistent/tool" << QStringList{"a", "b"}
                                     << "/nonexistent/tool a b";
    QTest::newRow("no arguments") << "/nonexistent/tool" << QStringList{} << "/nonexistent/tool ";
    QTest::newRow("not executable") << "NOT_EXECUTABLE" << QStringList{"x"} << "NOT_EXECUTABLE x";
    // Past the system's limit for one argument: the message shows its start and its size.
    QTest::newRow("argument too long to pass")
        << "/bin/echo" << QStringList{"-n", QString(140000, 'x')}
        << "/bin/echo -n " + QString(100, 'x') + "… (139900 more bytes)";
}

void TestPreferences::runnerLaunchFailures()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(QString, command);
    TestRoot root(TestRoot::Seed::none);
    if (program == QLatin1String("NOT_EXECUTABLE")) {
        program = root.path() + "/plain.txt";
        QFile f(program);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n");
        command.replace("NOT_EXECUTABLE", program);
    }
    const ShellRunner::RunResult result = run(program, args);
    QVERIFY(!result.ok());
    QCOMPARE(result.error().kind(), ShellError::Kind::launchFailed);
    QCOMPARE(result.error().command(), command);
    QVERIFY(result.error().description().startsWith("Could not launch " + command + ": "));
    QVERIFY(result.error().description().size() > QString("Could not launch " + command + ": ").size());
}

void TestPreferences::readConvertsByDeclaredType_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("type");
    QTest::addColumn<std::optional<TweakValue>>("expected");
    using T = TweakValueType;
    const auto none = std::optional<TweakValue>();
    auto b = [](bool v) { return std::optional<TweakValue>(TweakValue::ofBool(v)); };
    auto i = [](qint64 v) { return std::optional<TweakValue>(TweakValue::ofInt(v)); };
    auto d = [](double v) { return std::optional<TweakValue>(TweakValue::ofDouble(v)); };
    auto s = [](const QString &v) { return std::optional<TweakValue>(TweakValue::ofString(v)); };

    QTest::newRow("bool ← bool") << QVariant(true) << int(T::bool_) << b(true);
    QTest::newRow("bool ← number 2") << QVariant(qint64(2)) << int(T::bool_) << b(true);
    QTest::newRow("bool ← number 0") << QVariant(qint64(0)) << int(T::bool_) << b(false);
    QTest::newRow("bool ← real 0.5") << QVariant(0.5) << int(T::bool_) << b(true);
    QTest::newRow("bool ← text YES") << QVariant("YES") << int(T::bool_) << none;
    QTest::newRow("bool ← array") << QVariant(QVariantList{true}) << int(T::bool_) << none;
    QTest::newRow("int ← number") << QVariant(qint64(48)) << int(T::int_) << i(48);
    QTest::newRow("int ← text 48") << QVariant("48") << int(T::int_) << i(48);
    QTest::newRow("int ← text -7") << QVariant("-7") << int(T::int_) << i(-7);
    QTest::newRow("int ← text +7") << QVariant("+7") << int(T::int_) << i(7);
    QTest::newRow("int ← text with space") << QVariant(" 48") << int(T::int_) << none;
    QTest::newRow("int ← text with a final newline") << QVariant("49\n") << int(T::int_) << none;
    QTest::newRow("int ← text with a newline first") << QVariant("\n49") << int(T::int_) << none;
    QTest::newRow("int ← text 4.8") << QVariant("4.8") << int(T::int_) << none;
    QTest::newRow("int ← text beyond 64 bits") << QVariant("9223372036854775808") << int(T::int_) << none;
    QTest::newRow("int ← real 48.9") << QVariant(48.9) << int(T::int_) << i(48);
    QTest::newRow("int ← real -48.9") << QVariant(-48.9) << int(T::int_) << i(-48);
    QTest::newRow("int ← bool") << QVariant(true) << int(T::int_) << i(1);
    QTest::newRow("int ← huge real") << QVariant(1e300) << int(T::int_) << none;
    QTest::newRow("int ← unsigned above range")
        << QVariant::fromValue(quint64(1) << 63) << int(T::int_) << none;
    QTest::newRow("int ← date") << QVariant(QDateTime::currentDateTimeUtc()) << int(T::int_) << none;
    QTest::newRow("double ← real") << QVariant(0.25) << int(T::double_) << d(0.25);
    QTest::newRow("double ← int") << QVariant(qint64(2)) << int(T::double_) << d(2.0);
    QTest::newRow("double ← text 0.25") << QVariant("0.25") << int(T::double_) << d(0.25);
    QTest::newRow("double ← text 1e3") << QVariant("1e3") << int(T::double_) << d(1000.0);
    QTest::newRow("double ← text 0,25") << QVariant("0,25") << int(T::double_) << none;
    QTest::newRow("double ← text trailing junk") << QVariant("0.25s") << int(T::double_) << none;
    QTest::newRow("double ← empty text") << QVariant("") << int(T::double_) << none;
    QTest::newRow("double ← text with a final newline") << QVariant("0.25\n") << int(T::double_) << none;
    QTest::newRow("string ← text") << QVariant("Dark") << int(T::string) << s("Dark");
    QTest::newRow("string ← number 1") << QVariant(qint64(1)) << int(T::string) << s("1");
    QTest::newRow("string ← real 0.5") << QVariant(0.5) << int(T::string) << s("0.5");
    QTest::newRow("string ← whole real") << QVariant(2.0) << int(T::string) << s("2");
    QTest::newRow("string ← bool") << QVariant(true) << int(T::string) << s("1");
}

void TestPreferences::readConvertsByDeclaredType()
{
    QFETCH(QVariant, stored);
    QFETCH(int, type);
    QFETCH(std::optional<TweakValue>, expected);
    // Through the real store: the value goes into a binary plist and is read back by the backend.
    TestRoot root(TestRoot::Seed::none);
    root.writeDomain("com.example.app", QVariantMap{{"k", stored}});
    const std::optional<TweakValue> got =
        PreferencesBackend(root.platform()).read(PreferenceKey{"com.example.app", "k", TweakValueType(type)});
    QCOMPARE(got.has_value(), expected.has_value());
    if (expected) {
        QCOMPARE(*got, *expected);
        QCOMPARE(got->type(), expected->type());
    }
    // A key that is not stored reads as nothing, whatever its type.
    QVERIFY(!PreferencesBackend(root.platform())
                 .read(PreferenceKey{"com.example.app", "missing", TweakValueType(type)}));
}

void TestPreferences::readOfTheGlobalDomain()
{
    TestRoot root(TestRoot::Seed::none);
    root.writeGlobalDomain({{"AppleInterfaceStyle", "Dark"}, {"KeyRepeat", qint64(2)}});
    // A decoy: an application literally named NSGlobalDomain must not be asked.
    root.writeDomain("NSGlobalDomain", {{"AppleInterfaceStyle", "Light"}});
    root.writeDomain("com.apple.dock", {{"KeyRepeat", qint64(9)}});
    PreferencesBackend backend(root.platform());
    QCOMPARE(*backend.read({"NSGlobalDomain", "AppleInterfaceStyle", TweakValueType::string}),
             TweakValue::ofString("Dark"));
    // An application domain without the key falls back to the global domain, as the system's search list
    // does.
    QCOMPARE(*backend.read({"com.apple.finder", "AppleInterfaceStyle", TweakValueType::string}),
             TweakValue::ofString("Dark"));
    QCOMPARE(*backend.read({"com.apple.dock", "KeyRepeat", TweakValueType::int_}), TweakValue::ofInt(9));
}

void TestPreferences::writeRunsDefaultsWithExactArguments_data()
{
    QTest::addColumn<TweakValue>("value");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("bool") << TweakValue::ofBool(true) << QStringList{"-bool", "true"} << QVariant(true);
    QTest::newRow("false") << TweakValue::ofBool(false) << QStringList{"-bool", "false"} << QVariant(false);
    QTest::newRow("int") << TweakValue::ofInt(48) << QStringList{"-int", "48"} << QVariant(qint64(48));
    QTest::newRow("negative int") << TweakValue::ofInt(-1) << QStringList{"-int", "-1"}
                                  << QVariant(qint64(-1));
    QTest::newRow("half") << TweakValue::ofDouble(0.5) << QStringList{"-float", "0.5"} << QVariant(0.5);
    QTest::newRow("whole double") << TweakValue::ofDouble(2) << QStringList{"-float", "2.0"} << QVariant(2.0);
    QTest::newRow("sixteenth") << TweakValue::ofDouble(-0.0625) << QStringList{"-float", "-0.0625"}
                               << QVariant(-0.0625);
    QTest::newRow("tenth") << TweakValue::ofDouble(0.1) << QStringList{"-float", "0.1"} << QVariant(0.1);
    QTest::newRow("string") << TweakValue::ofString("bottom") << QStringList{"-string", "bottom"}
                            << QVariant("bottom");
}

void TestPreferences::writeRunsDefaultsWithExactArguments()
{
    QFETCH(TweakValue, value);
    QFETCH(QStringList, typed);
    QFETCH(QVariant, stored);
    QCOMPARE(PreferencesBackend::typedArguments(value), typed);

    TestRoot root;
    const auto status = await(PreferencesBackend(root.platform()).write("com.apple.dock", "autohide", value));
    QVERIFY2(status.ok(), qPrintable(status.error().description()));
    const QVariant onDisk = root.domain("com.apple.dock").value("autohide");
    QCOMPARE(onDisk.typeId(), stored.typeId());
    QCOMPARE(onDisk, stored);
    // The write touched nothing else in the domain.
    QCOMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(48)));
    QCOMPARE(*PreferencesBackend(root.platform()).read({"com.apple.dock", "autohide", value.type()}), value);
}

void TestPreferences::valuesThatWouldBiteAShell_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("spaces") << "EEE d MMM  HH:mm";
    QTest::newRow("quotes") << R"(say "hi" it's)";
    QTest::newRow("command substitution") << "$(touch /tmp/velmora-pwned) `id`";
    QTest::newRow("semicolon") << "a; rm -rf ~";
    QTest::newRow("leading dash") << "-bool";
    QTest::newRow("newlines") << "line one\nline two\n";
    QTest::newRow("non-ASCII") << QString::fromUtf16(u"Expos\u00e9 \u2318 \U0001F310 \u201cquoted\u201d");
    QTest::newRow("backslashes") << R"(C:\path\n\t)";
    QTest::newRow("old-style plist text") << "{ a = b; }";
    QTest::newRow("empty") << "";
}

void TestPreferences::valuesThatWouldBiteAShell()
{
    QFETCH(QString, text);
    TestRoot root;
    const PreferenceKey key{"com.apple.menuextra.clock", "DateFormat", TweakValueType::string};
    const auto status =
        await(PreferencesBackend(root.platform()).write(key.domain, key.key, TweakValue::ofString(text)));
    QVERIFY2(status.ok(), qPrintable(status.error().description()));
    QCOMPARE(root.domain(key.domain).value(key.key), QVariant(text));
    QCOMPARE(*PreferencesBackend(root.platform()).read(key), TweakValue::ofString(text));
    QVERIFY(!QFile::exists("/tmp/velmora-pwned"));
}

void TestPreferences::aToolThatCannotStartIsNamed()
{
    TestRoot root;
    // A tool that cannot start passes the launch failure through, with the tool's whole path.
    root.platform().setDefaultsToolPath(root.path() + "/no/such/defaults");
    const auto launch =
        await(PreferencesBackend(root.platform()).write("com.apple.dock", "tilesize", TweakValue::ofInt(64)));
    QCOMPARE(launch.error().kind(), ShellError::Kind::launchFailed);
    QVERIFY(launch.error().description().startsWith(
        "Could not launch " + root.path() + "/no/such/defaults write com.apple.dock tilesize -int 64: "));
}

void TestPreferences::failedWriteSaysHowTheToolEnded_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("text");        // the value written, as a string
    QTest::addColumn<int>("signal");          // the signal that ended the tool, 0 for none
    QTest::addColumn<QString>("description"); // %1: the value as the message shows it
    const QString write = QStringLiteral("defaults write com.apple.dock k -string %1\n");
    QTest::newRow("exit 9") << QByteArray("echo refused >&2; exit 9") << "v" << 0
                            << "Command failed (exit 9): " + write + "refused\n";
    QTest::newRow("killed") << QByteArray("echo dying >&2; kill -KILL $$") << "v" << 9
                            << "Command failed (killed by signal 9): " + write + "dying\n";
    QTest::newRow("terminated") << QByteArray("kill -TERM $$") << "v" << 15
                                << "Command failed (killed by signal 15): " + write;
    // A huge value is shown by its start and its size, not repeated whole in the message.
    QTest::newRow("long value") << QByteArray("echo refused >&2; exit 1") << QString(100000, 'x') << 0
                                << "Command failed (exit 1): " +
                                       write.arg(QString(100, 'x') + QStringLiteral("… (99900 more bytes)")) +
                                       "refused\n";
    QTest::newRow("value with a newline") << QByteArray("exit 1") << "two\nlines" << 0
                                          << "Command failed (exit 1): " + write.arg("two\\nlines");
}

void TestPreferences::failedWriteSaysHowTheToolEnded()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, text);
    QFETCH(int, signal);
    QFETCH(QString, description);
    TestRoot root;
    const QString tool = root.writeTool("defaults", "#!/bin/sh\n" + script + "\n");
    const ShellRunner::RunResult ran = run(tool, {});
    QVERIFY(ran.ok());
    QCOMPARE(ran->killSignal, signal);
    QVERIFY(ran->exitCode != 0); // a killed tool failed too
    if (signal != 0)
        QCOMPARE(ran->exitCode, 128 + signal);

    root.platform().setDefaultsToolPath(tool);
    const auto status =
        await(PreferencesBackend(root.platform()).write("com.apple.dock", "k", TweakValue::ofString(text)));
    QVERIFY(!status.ok());
    QCOMPARE(status.error().kind(), ShellError::Kind::nonZeroExit);
    // The tool's short name, not its path, then the tool's own error text unchanged.
    QCOMPARE(status.error().description(), description.contains("%1") ? description.arg(text) : description);
}

void TestPreferences::deleteOfMissingKeysSucceeds()
{
    TestRoot root;
    PreferencesBackend backend(root.platform());
    QVERIFY(root.domain("com.apple.dock").contains("tilesize"));
    for (int round = 0; round < 2; ++round) {
        const auto status = await(backend.deleteValue("com.apple.dock", "tilesize"));
        QVERIFY2(status.ok(), qPrintable(status.error().description()));
    }
    QVERIFY(!root.domain("com.apple.dock").contains("tilesize"));
    QCOMPARE(root.domain("com.apple.dock").value("orientation"), QVariant("bottom"));
    // A domain that never existed.
    QVERIFY(await(backend.deleteValue("com.example.never", "x")).ok());
    QVERIFY(await(backend.deleteValue("NSGlobalDomain", "NoSuchKey")).ok());
}

void TestPreferences::deleteFailures_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("succeeds");
    QTest::newRow("older wording") << QByteArray("The domain/default pair of (a, b) does not exist") << 1
                                   << true;
    QTest::newRow("current wording") << QByteArray("Domain (a) not found.") << 1 << true;
    QTest::newRow("permission") << QByteArray("Could not write domain a; exiting") << 1 << false;
    QTest::newRow("wrong case") << QByteArray("DOES NOT EXIST") << 1 << false;
}

void TestPreferences::deleteFailures()
{
    QFETCH(QByteArray, message);
    QFETCH(int, status);
    QFETCH(bool, succeeds);
    TestRoot root(TestRoot::Seed::none);
    root.platform().setDefaultsToolPath(root.writeFailingTool("defaults", message, status));
    const auto result = await(PreferencesBackend(root.platform()).deleteValue("a", "b"));
    QCOMPARE(result.ok(), succeeds);
    if (!succeeds)
        QCOMPARE(result.error().description(),
                 QStringLiteral("Command failed (exit 1): defaults delete a b\n") +
                     QString::fromUtf8(message) + "\n");
}

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
