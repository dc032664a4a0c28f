// Exporting profiles: a script that leaves the same values on another Mac, a configuration profile with
// the documented structure, and values that stay text in every format.

#include "ProfileApp.h"
#include "dock/DockProfilePayload.h"
#include "engine/TweakEngine.h"
#include "gui/app/MainWindow.h"
#include "gui/app/VelmoraApp.h"
#include "gui/profiles/ProfileMenu.h"
#include "profiles/ProfileDocument.h"
#include "profiles/ProfileExporter.h"
#include "support/FakePanels.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::ExportFormat)

namespace {

/// Texts a shell would run or split if they were pasted unquoted.
const QStringList kHostileTexts = {
    QStringLiteral("it's \"quoted\" 'twice'"),
    QStringLiteral("$(touch MARKS/dollar) and ${HOME}"),
    QStringLiteral("`touch MARKS/backtick`"),
    QStringLiteral("first line\nsecond; touch MARKS/semicolon"),
    QStringLiteral("'; touch MARKS/breakout; echo '"),
    QStringLiteral("back\\slash {{ lookup('pipe', 'touch MARKS/jinja') }} ends in a newline\n"),
};

/// A value of the tweak other than its default: within its bounds, one of its options, or a hostile
/// text for the texts and paths.
TweakValue changedValue(const Tweak &tweak, qsizetype &texts, const QString &marks)
{
    const TweakValue d = tweak.defaultValue;
    switch (tweak.kind.type()) {
    case TweakKind::Type::toggle: return TweakValue::ofBool(!d.toBool());
    case TweakKind::Type::integer: {
        const TweakKind::Integer b = tweak.kind.integerBounds();
        const qint64 up = d.toInt() + b.step;
        return TweakValue::ofInt(b.max && up > *b.max ? d.toInt() - b.step : up);
    }
    case TweakKind::Type::decimal: {
        const TweakKind::Decimal b = tweak.kind.decimalBounds();
        const double up = d.toDouble() + b.step;
        return TweakValue::ofDouble(b.max && up > *b.max ? d.toDouble() - b.step : up);
    }
    case TweakKind::Type::picker:
        for (const TweakOption &option : tweak.kind.options()) {
            if (option.value != d)
                return option.value;
        }
        return d;
    case TweakKind::Type::text:
    case TweakKind::Type::path: {
        QString text = kHostileTexts[texts++ % kHostileTexts.size()];
        return TweakValue::ofString(text.replace(QStringLiteral("MARKS"), marks));
    }
    }
    return d;
}

/// `sh SCRIPT` on a simulated Mac, with the stand-in tools first on the PATH as the real ones are on a Mac.
ProgramRun runScript(const QString &script, const TestRoot &root)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_SIMULATED_ROOT"), root.path());
    env.insert(QStringLiteral("PATH"),
               QStringLiteral(VELMORA_LIBEXEC_DIR ":") + env.value(QStringLiteral("PATH")));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("sh"), {script});
    ProgramRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Profile profileOf(QMap<QString, TweakValue> values)
{
    Profile p;
    p.id = QUuid::createUuid();
    p.name = QStringLiteral("Team \"defaults\"\nsecond line");
    p.createdAt = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC);
    p.appVersion = QStringLiteral("1.0");
    p.values = std::move(values);
    return p;
}

ExportPlan::Setting setting(const char *key, QVariant value, bool currentHost = false)
{
    return {QStringLiteral("test.") + QLatin1String(key),
            QStringLiteral("A title"),
            QStringLiteral("com.example"),
            QLatin1String(key),
            std::move(value),
            currentHost};
}

QString exported(ExportFormat format, const ExportPlan &plan, QStringList *skipped = nullptr)
{
    const Result<ProfileExporter::Output> output = ProfileExporter::make(format)->render(plan);
    if (!output)
        return QStringLiteral("failed: ") + output.error();
    for (const ExportPlan::Skip &skip : output->skipped) {
        if (skipped)
            *skipped << skip.tweakID + QStringLiteral(": ") + skip.reason;
    }
    return QString::fromUtf8(output->bytes);
}

} // namespace

class TestProfileExport : public QObject {
    Q_OBJECT

private slots:
    void scriptOfEveryTweakLeavesTheSameValues();
    void configurationProfileStructure_data();
    void configurationProfileStructure();
    void textsStayText_data();
    void textsStayText();
    void perMachineKeys_data();
    void perMachineKeys();
    void commandLineRefusals_data();
    void commandLineRefusals();
    void exportFromTheWindow_data();
    void exportFromTheWindow();
};

void TestProfileExport::scriptOfEveryTweakLeavesTheSameValues()
{
    TestRoot original;
    QTemporaryDir dir;
    const QString marks = dir.filePath(QStringLiteral("marks"));
    QVERIFY(QDir().mkpath(marks));

    {
        TweakEngine engine(TweakRegistry::shared(), original.platform(), standardHandlers());
        qsizetype texts = 0;
        for (const Tweak &tweak : engine.registry().tweaks()) {
            if (tweak.servedByHandler)
                continue;
            const Status applied = await(engine.applyValue(changedValue(tweak, texts, marks), tweak));
            QVERIFY2(applied, qPrintable(tweak.id + QStringLiteral(": ") + applied.error()));
        }
        // The Dock loses its first application, so the tiles written are not the fresh Mac's own.
        const Tweak dock = *engine.registry().tweak(QStringLiteral("dock.apps"));
        const std::optional<TweakValue> tiles = await(engine.readValue(dock));
        QVERIFY(tiles);
        Result<DockProfilePayload> payload = DockProfilePayload::fromJson(tiles->toString().toUtf8());
        QVERIFY(payload && !payload->apps.isEmpty());
        payload.value().apps.removeFirst();
        QVERIFY(await(engine.applyValue(TweakValue::ofString(QString::fromUtf8(payload->toJson())), dock)));
    }

    const QString profile = dir.filePath(QStringLiteral("every.plist"));
    const QString script = dir.filePath(QStringLiteral("every.sh"));
    QCOMPARE(runVelmoractl(original, {"profile", "save", profile}).exitCode, 0);
    QCOMPARE(ProfileDocument::read(profile)->profile().values.size(),
             TweakRegistry::shared().tweaks().size());
    const ProgramRun exported =
        runVelmoractl(original, {"profile", "export", "--format", "script", "--current", "-o", script});
    QCOMPARE(exported.exitCode, 0);
    // The desktop picture is no preference: said, not dropped.
    QVERIFY2(exported.err.contains("skipped Desktop Wallpaper (wallpaper.config)"), qPrintable(exported.err));
    QVERIFY(readAll(script).startsWith("#!/bin/sh\n# Velmora profile \"Profile "));

    // Made only now: a simulated platform names its root in the process's environment, where the
    // engine's tools above found the original.
    TestRoot fresh;
    const ProgramRun ran = runScript(script, fresh);
    QVERIFY2(ran.exitCode == 0, qPrintable(ran.err));
    const ProgramRun diff = runVelmoractl(fresh, {"profile", "diff", profile});
    QVERIFY2(diff.out.contains("No Changes"), qPrintable(diff.out));
    QCOMPARE(QDir(marks).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QStringList restarted;
    for (const QString &line : fresh.restartLog())
        restarted << line.section(QLatin1Char('\t'), -1);
    QCOMPARE(restarted, QStringList({"Dock", "Finder", "SystemUIServer", "ControlCenter", "cfprefsd"}));
}

void TestProfileExport::configurationProfileStructure_data()
{
    QTest::addColumn<bool>("once");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("wallpaper");
    QTest::addColumn<QString>("wallpaperSkip");

    QTest::newRow("forced, a picture by its path")
        << false << ExportOptions::defaultIdentifierPrefix()
        << R"({"imagePath":"/Library/Desktop Pictures/Dusk.jpg","scaling":"fill","allowClipping":true})"
        << "";
    QTest::newRow("set once, a picture carried without a path")
        << true << "com.example.fleet"
        << R"({"scaling":"fill","allowClipping":true,"embeddedImageData":"AAAA"})"
        << "wallpaper.config: the picture is carried in the profile without a path on the Mac";
    QTest::newRow("a picture under the home folder")
        << false << "org.example"
        << R"({"imagePath":"~/Pictures/a.png","scaling":"fill","allowClipping":true})"
        << "wallpaper.config: the picture's path \"~/Pictures/a.png\" is not a full path on the Mac";
}

void TestProfileExport::configurationProfileStructure()
{
    QFETCH(bool, once);
    QFETCH(QString, prefix);
    QFETCH(QString, wallpaper);
    QFETCH(QString, wallpaperSkip);

    // An int where a switch is declared is written as the boolean the Mac reads back.
    const Profile profile = profileOf({{"finder.show-all-extensions", TweakValue::ofInt(1)},
                                       {"dock.tilesize", TweakValue::ofInt(64)},
                                       {"dock.autohide-delay", TweakValue::ofDouble(0.25)},
                                       {"screenshot.format", TweakValue::ofString("jpg")},
                                       {"dock.largesize", TweakValue::ofString("huge")},
                                       {"wallpaper.config", TweakValue::ofString(wallpaper)},
                                       {"future.tweak", TweakValue::ofString("kept")}});
    const std::unique_ptr<ProfileExporter> exporter =
        ProfileExporter::make(ExportFormat::mobileconfig, {once, prefix});
    const Result<ProfileExporter::Output> output = exporter->render(profile, TweakRegistry::shared());
    QVERIFY(output);
    QVERIFY(output->bytes.startsWith("<?xml"));
    const Result<QVariant> read = PropertyList::parse(output->bytes);
    QVERIFY2(read, qPrintable(read.error()));

    QStringList uuids;
    auto checkPayload = [&](const QVariantMap &payload, const QString &type, const QString &identifier,
                            QStringList keys) {
        keys << "PayloadDisplayName"
             << "PayloadIdentifier"
             << "PayloadType"
             << "PayloadUUID"
             << "PayloadVersion";
        keys.sort();
        QCOMPARE(payload.keys(), keys);
        QCOMPARE(payload.value("PayloadType"), QVariant(type));
        QCOMPARE(payload.value("PayloadIdentifier"), QVariant(identifier));
        QCOMPARE(payload.value("PayloadVersion").typeId(), QMetaType::LongLong);
        QCOMPARE(payload.value("PayloadVersion").toLongLong(), 1);
        const QString uuid = payload.value("PayloadUUID").toString();
        QVERIFY(!QUuid::fromString(uuid).isNull());
        QCOMPARE(uuid, uuid.toUpper());
        uuids << uuid;
    };

    const QVariantMap top = read->toMap();
    checkPayload(top, "Configuration", prefix, {"PayloadContent", "PayloadDescription"});
    // The name's line break would show as a second line in the device's list of profiles.
    QCOMPARE(top.value("PayloadDisplayName"), QVariant("Team \"defaults\" second line"));
    const QVariantList payloads = top.value("PayloadContent").toList();
    QCOMPARE(payloads.size(), wallpaperSkip.isEmpty() ? 2 : 1);
    const QVariantMap preferences = payloads.first().toMap();
    checkPayload(preferences, "com.apple.ManagedClient.preferences", prefix + ".preferences",
                 {"PayloadContent"});
    if (wallpaperSkip.isEmpty()) {
        const QVariantMap desktop = payloads.last().toMap();
        checkPayload(desktop, "com.apple.desktop", prefix + ".desktop", {"override-picture-path"});
        QCOMPARE(desktop.value("override-picture-path"), QVariant("/Library/Desktop Pictures/Dusk.jpg"));
    }
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(QSet<QString>(uuids.cbegin(), uuids.cend()).size(), uuids.size());

    // domain → Forced or Set-Once → [ { mcx_preference_settings → { key → value } } ], each value typed.
    QStringList settings;
    const QVariantMap domains = preferences.value("PayloadContent").toMap();
    for (auto domain = domains.cbegin(); domain != domains.cend(); ++domain) {
        const QVariantMap managed = domain->toMap();
        QCOMPARE(managed.keys(), QStringList{once ? "Set-Once" : "Forced"});
        const QVariantList list = managed.first().toList();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().toMap().keys(), QStringList{"mcx_preference_settings"});
        const QVariantMap values = list.first().toMap().value("mcx_preference_settings").toMap();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings
                << QStringLiteral("%1 %2 %3 %4").arg(domain.key(), it.key(), it->typeName(), it->toString());
    }
    QCOMPARE(settings,
             QStringList({".GlobalPreferences AppleShowAllExtensions bool true",
                          "com.apple.dock autohide-delay double 0.25", "com.apple.dock tilesize qlonglong 64",
                          "com.apple.screencapture type QString jpg"}));

    QStringList skipped;
    for (const ExportPlan::Skip &skip : output->skipped)
        skipped << skip.tweakID + ": " + skip.reason;
    QStringList expected{
        "dock.largesize: the profile's string value does not convert to int, the setting's type",
        "future.tweak: this version of Velmora does not know the setting"};
    if (!wallpaperSkip.isEmpty())
        expected << wallpaperSkip;
    skipped.sort();
    expected.sort();
    QCOMPARE(skipped, expected);

    // Every export is a new profile to the device's eyes: its UUIDs are new each time.
    const QByteArray again = exporter->render(profile, TweakRegistry::shared())->bytes;
    QVERIFY(PropertyList::parse(again)->toMap().value("PayloadUUID") != top.value("PayloadUUID"));
}

void TestProfileExport::textsStayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("nix");
    QTest::addColumn<QString>("ansible");

    QTest::newRow("quotes") << "it's \"so\""
                            << R"('it'\''s "so"')"
                            << R"("it's \"so\"")"
                            << R"(!unsafe "it's \"so\"")";
    QTest::newRow("interpolations") << "${HOME} $x $(id) `id`"
                                    << "'${HOME} $x $(id) `id`'"
                                    << R"("\${HOME} $x $(id) `id`")"
                                    << R"(!unsafe "${HOME} $x $(id) `id`")";
    QTest::newRow("backslashes") << R"(a\b\\)"
                                 << R"('a\b\\')"
                                 << R"("a\\b\\\\")"
                                 << R"(!unsafe "a\\b\\\\")";
    QTest::newRow("line breaks") << "one\ntwo\r\u2028"
                                 << "'one\ntwo\r\u2028'"
                                 << R"("one\ntwo\r)"
                                    "\u2028\""
                                 << R"(!unsafe "one\ntwo\r\u2028")";
    QTest::newRow("templates") << "{{ lookup('pipe', 'id') }}; rm -rf ~"
                               << R"('{{ lookup('\''pipe'\'', '\''id'\'') }}; rm -rf ~')"
                               << R"("{{ lookup('pipe', 'id') }}; rm -rf ~")"
                               << R"(!unsafe "{{ lookup('pipe', 'id') }}; rm -rf ~")";
}

void TestProfileExport::textsStayText()
{
    QFETCH(QString, text);
    QFETCH(QString, script);
    QFETCH(QString, nix);
    QFETCH(QString, ansible);

    ExportPlan plan;
    // A name that, breaking its comment line, would put a command of its own in the file.
    plan.profileName = QStringLiteral("Mine\nrm -rf ~\r\u2028x");
    plan.settings = {setting("text", text), setting("list", QVariantList{text}),
                     setting("dict", QVariantMap{{"k", text}})};
    const QString scriptText = exported(ExportFormat::script, plan);
    const QString nixText = exported(ExportFormat::nix, plan);
    const QString ansibleText = exported(ExportFormat::ansible, plan);

    QVERIFY2(scriptText.contains("defaults write 'com.example' 'text' -string " + script + "\n"),
             qPrintable(scriptText));
    QVERIFY(scriptText.contains("defaults write 'com.example' 'list' -array -string " + script + "\n"));
    QVERIFY(scriptText.contains("defaults write 'com.example' 'dict' -dict 'k' -string " + script + "\n"));
    QVERIFY2(nixText.contains("\"text\" = " + nix + ";\n"), qPrintable(nixText));
    QVERIFY(nixText.contains("  " + nix + "\n"));
    QVERIFY(nixText.contains("\"k\" = " + nix + ";\n"));
    QVERIFY2(ansibleText.contains("    value: " + ansible + "\n"), qPrintable(ansibleText));
    QVERIFY(ansibleText.contains("    value: [" + ansible + "]\n"));
    QVERIFY(ansibleText.contains("      !unsafe \"k\": " + ansible + "\n"));
    for (const QString &file : {scriptText, nixText, ansibleText})
        QVERIFY2(!file.contains("\nrm -rf") && file.contains("Mine rm -rf ~  x"), qPrintable(file));
}

void TestProfileExport::perMachineKeys_data()
{
    QTest::addColumn<ExportFormat>("format");
    QTest::addColumn<QString>("written");

    QTest::newRow("script") << ExportFormat::script
                            << "defaults -currentHost write 'com.example' 'host' -bool true";
    QTest::newRow("ansible") << ExportFormat::ansible << "    key: !unsafe \"host\"\n    host: currentHost\n";
    QTest::newRow("mobileconfig") << ExportFormat::mobileconfig << "";
    QTest::newRow("nix") << ExportFormat::nix << "";
}

void TestProfileExport::perMachineKeys()
{
    QFETCH(ExportFormat, format);
    QFETCH(QString, written);

    ExportPlan plan;
    plan.settings = {setting("host", true, true), setting("plain", QVariant::fromValue(qint64(-2)))};
    QStringList skipped;
    const QString text = exported(format, plan, &skipped);
    QVERIFY2(text.contains("plain"), qPrintable(text));
    if (written.isEmpty()) {
        QCOMPARE(skipped.size(), 1);
        QVERIFY2(skipped.first().startsWith("test.host: it is kept per machine (-currentHost)"),
                 qPrintable(skipped.first()));
        QVERIFY(!text.contains("\"host\"") && !text.contains(">host<"));
    } else {
        QCOMPARE(skipped, QStringList());
        QVERIFY2(text.contains(written), qPrintable(text));
    }
}

void TestProfileExport::commandLineRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("written") << QStringList{"--format", "nix", "PROFILE", "-o", "OUT"} << 0 << "";
    QTest::newRow("no format") << QStringList{"--current", "-o", "OUT"} << 2
                               << "--format mobileconfig|script|ansible|nix";
    QTest::newRow("unknown format") << QStringList{"--format", "plist", "--current", "-o", "OUT"} << 2
                                    << "\"plist\" is not an export format";
    QTest::newRow("no output") << QStringList{"--format", "script", "--current"} << 2 << "-o OUT";
    QTest::newRow("file and current")
        << QStringList{"--format", "script", "PROFILE", "--current", "-o", "OUT"} << 2 << "not both";
    QTest::newRow("neither") << QStringList{"--format", "script", "-o", "OUT"} << 2 << "name a profile FILE";
    QTest::newRow("once for a script")
        << QStringList{"--format", "script", "--once", "--current", "-o", "OUT"} << 2
        << "--once and --identifier are for --format mobileconfig";
    QTest::newRow("identifier not reverse-DNS")
        << QStringList{"--format", "mobileconfig", "--identifier", "my settings", "--current", "-o", "OUT"}
        << 2 << "\"my settings\" is not a reverse-DNS identifier";
    QTest::newRow("not a profile") << QStringList{"--format", "script", "NOTPROFILE", "-o", "OUT"} << 1
                                   << "is not a profile";
    QTest::newRow("folder missing") << QStringList{"--format", "mobileconfig", "--current", "-o", "MISSING"}
                                    << 1 << "The export could not be saved";
}

void TestProfileExport::commandLineRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    TestRoot root;
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    QVERIFY(ProfileDocument(profileOf({{"dock.tilesize", TweakValue::ofInt(64)}}))
                .write(dir.filePath("p.plist")));
    QVERIFY(writeAll(dir.filePath("not.plist"), "not a profile"));
    arguments.replaceInStrings(QRegularExpression("^PROFILE$"), dir.filePath("p.plist"));
    arguments.replaceInStrings(QRegularExpression("^NOTPROFILE$"), dir.filePath("not.plist"));
    arguments.replaceInStrings(QRegularExpression("^OUT$"), out);
    arguments.replaceInStrings(QRegularExpression("^MISSING$"), dir.filePath("missing/out"));

    const ProgramRun r = runVelmoractl(root, QStringList{"profile", "export"} + arguments);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(QFile::exists(out), exitCode == 0);
    if (exitCode == 0)
        QVERIFY(readAll(out).contains("\"tilesize\" = 64;"));
}

void TestProfileExport::exportFromTheWindow_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<bool>("once");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("warning");

    QTest::newRow("script of the current settings")
        << int(ExportFormat::script) << false << false << "" << true << "#!/bin/sh\n"
        << "The export leaves out 1 setting.\nDesktop Wallpaper: a desktop picture is not a preference that "
           "defaults writes";
    QTest::newRow("set-once configuration profile of a saved profile")
        << int(ExportFormat::mobileconfig) << true << true << "com.example.team" << true
        << "<string>com.example.team.preferences</string>"
        << "";
    QTest::newRow("save panel cancelled") << int(ExportFormat::nix) << false << false << "" << false << ""
                                          << "";
}

void TestProfileExport::exportFromTheWindow()
{
    QFETCH(int, format);
    QFETCH(bool, fromFile);
    QFETCH(bool, once);
    QFETCH(QString, identifier);
    QFETCH(bool, saved);
    QFETCH(QString, content);
    QFETCH(QString, warning);

    ProfileApp a;
    QTemporaryDir dir;
    const QString profile = dir.filePath("p.plist");
    const QString out = dir.filePath("exported");
    QVERIFY(ProfileDocument(profileOf({{"dock.tilesize", TweakValue::ofInt(64)}})).write(profile));
    if (fromFile)
        a.panels->answers.enqueue(profile);
    if (saved)
        a.panels->answers.enqueue(out);

    a.menu()->exportAction()->trigger();
    ProfileExportDialog *dialog = a.menu()->exportDialog();
    QVERIFY(dialog);
    dialog->formatBox()->setCurrentIndex(format);
    dialog->sourceBox()->setCurrentIndex(fromFile ? 1 : 0);
    QCOMPARE(dialog->identifierField()->isEnabled(), format == int(ExportFormat::mobileconfig));
    if (!identifier.isEmpty()) {
        dialog->managementBox()->setCurrentIndex(once ? 1 : 0);
        // An identifier that is not reverse-DNS cannot be exported.
        dialog->identifierField()->setText("not an identifier");
        QVERIFY(!dialog->exportButton()->isEnabled());
        dialog->identifierField()->setText(identifier);
    }
    QVERIFY(dialog->exportButton()->isEnabled());
    QTest::mouseClick(dialog->exportButton(), Qt::LeftButton);

    const QString written = out + "." + fileExtension(ExportFormat(format));
    const int panels = int(fromFile) + 1;
    QTRY_COMPARE(a.panels->titles.size(), panels);
    QCOMPARE(a.panels->suggestedNames, QStringList{"Velmora Profile." + fileExtension(ExportFormat(format))});
    if (saved) {
        QTRY_VERIFY(QFile::exists(written));
        QVERIFY2(readAll(written).contains(content.toUtf8()), readAll(written).constData());
        if (once)
            QVERIFY(readAll(written).contains("<key>Set-Once</key>"));
    }
    QTRY_COMPARE(a.panels->warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(a.panels->errors, QStringList());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), saved ? 2 : 1);
}

QTEST_MAIN(TestProfileExport)
#include "tst_profile_export.moc"
