// Importing a script's `defaults write` lines as a profile, and taking an apply back, on a simulated Mac.

#include "ProfileApp.h"
#include "engine/TweakEngine.h"
#include "gui/app/MainWindow.h"
#include "gui/app/VelmoraApp.h"
#include "gui/kit/Style.h"
#include "gui/profiles/ProfileDiffView.h"
#include "gui/profiles/ProfileMenu.h"
#include "profiles/ProfileDocument.h"
#include "profiles/RestorePoints.h"
#include "profiles/ScriptImport.h"
#include "support/FakePanels.h"
#include "support/ProgramRun.h"
#include "support/TestRoot.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::TweakValue)

namespace {

const QString kScript = QStringLiteral(VELMORA_TEST_DATA_DIR "/dotfiles.sh");

Tweak tweak(const QString &id)
{
    return *TweakRegistry::shared().tweak(id);
}

ScriptImport importOf(const QString &script)
{
    return ScriptImport::read(script, "test.sh", TweakRegistry::shared(), "1.0");
}

QString restorePoints(TestRoot &root)
{
    return RestorePoints::folder(root.platform().fileLocations());
}

// A value of every tweak that differs from what it holds now: the other state of a switch, another
// choice, the other end of a range, another text, one application fewer in the Dock, another picture.
Profile everyTweakChanged(TweakEngine &engine, const QString &rootPath)
{
    Profile p;
    p.name = "Every tweak";
    for (const Tweak &t : engine.registry().tweaks()) {
        const TweakValue now = engine.valueOrDefault(t);
        TweakValue next;
        switch (t.kind.type()) {
        case TweakKind::Type::toggle: next = TweakValue::ofBool(!now.toBool()); break;
        case TweakKind::Type::picker:
            for (const TweakOption &o : t.kind.options()) {
                if (o.value != now) {
                    next = o.value;
                    break;
                }
            }
            break;
        case TweakKind::Type::integer: {
            const auto &b = t.kind.integerBounds();
            next =
                TweakValue::ofInt(now.toInt() == b.max.value_or(0) ? b.min.value_or(1) : b.max.value_or(1));
            break;
        }
        case TweakKind::Type::decimal: {
            const auto &b = t.kind.decimalBounds();
            next = TweakValue::ofDouble(now.toDouble() == b.max.value_or(0) ? b.min.value_or(1)
                                                                            : b.max.value_or(1));
            break;
        }
        case TweakKind::Type::text:
        case TweakKind::Type::path:
            if (t.id == "dock.apps") {
                QJsonObject payload = QJsonDocument::fromJson(now.toString().toUtf8()).object();
                QJsonArray apps = payload["apps"].toArray();
                apps.removeFirst();
                payload["apps"] = apps;
                next = TweakValue::ofString(QJsonDocument(payload).toJson(QJsonDocument::Compact));
            } else if (t.id == "wallpaper.config") {
                next = TweakValue::ofString(
                    QStringLiteral(R"({"imagePath":"%1/Library/Desktop Pictures/Lagoon.jpg",)"
                                   R"("scaling":"fill","allowClipping":true})")
                        .arg(rootPath));
            } else {
                next = TweakValue::ofString(now.toString() + " (changed)");
            }
            break;
        }
        p.values.insert(t.id, next);
    }
    return p;
}

/// Every tweak's value as read now; absent ones are left out.
QHash<QString, TweakValue> readAll(TweakEngine &engine)
{
    await(engine.refreshAll());
    return engine.currentValues();
}

} // namespace

class TestImportUndo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Style::apply(false); }
    void lineForms_data();
    void lineForms();
    void dotfilesScriptFromTheCommandLine();
    void applyThenUndoRestoresEveryTweak();
    void theNewestTenAreKeptAndUndoneInTurn();
    void importAndUndoFromTheWindow();
};

void TestImportUndo::lineForms_data()
{
    // One line (or a few) of a script; the tweak it sets and to what, or a part of why it is left out.
    // Neither: the line is not a `defaults` line that changes anything, and is not listed at all.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("id");
    QTest::addColumn<TweakValue>("value");
    QTest::addColumn<QString>("reason");
    const auto on = TweakValue::ofBool(true);
    const auto number = [](qint64 n) { return TweakValue::ofInt(n); };
    const QString notRun = "needs the shell to expand it";
    // clang-format off
    QTest::newRow("typed") << "defaults write com.apple.dock autohide -bool true" << "dock.autohide" << on << "";
    QTest::newRow("domain in any case") << "defaults write com.apple.Dock autohide -boolean YES" << "dock.autohide" << on << "";
    QTest::newRow("-g") << "defaults write -g KeyRepeat -int 2" << "keyboard.key-repeat" << number(2) << "";
    QTest::newRow("-globalDomain") << "defaults write -globalDomain KeyRepeat -integer 3" << "keyboard.key-repeat" << number(3) << "";
    QTest::newRow("Apple Global Domain") << "defaults write 'Apple Global Domain' KeyRepeat -int 4" << "keyboard.key-repeat" << number(4) << "";
    QTest::newRow("untyped by declared type") << "defaults write nsglobaldomain KeyRepeat 5" << "keyboard.key-repeat" << number(5) << "";
    QTest::newRow("-int 1 for a switch") << "defaults write com.apple.dock autohide -int 1" << "dock.autohide" << on << "";
    QTest::newRow("-int 2 for a switch") << "defaults write com.apple.dock autohide -int 2" << "" << TweakValue() << "takes -int 0 or 1";
    QTest::newRow("-int for a decimal") << "defaults write com.apple.dock autohide-delay -int 1" << "dock.autohide-delay" << TweakValue::ofDouble(1) << "";
    QTest::newRow("sudo") << "sudo defaults write com.apple.dock tilesize -int 48" << "dock.tilesize" << number(48) << "";
    QTest::newRow("continuation") << "defaults write com.apple.dock \\\n    tilesize -int 36" << "dock.tilesize" << number(36) << "";
    QTest::newRow("&& chain") << "killall Dock && defaults write com.apple.dock tilesize -int 40 && echo done" << "dock.tilesize" << number(40) << "";
    QTest::newRow("comment, redirection") << "defaults write com.apple.dock tilesize -int 50 2>/dev/null # bigger" << "dock.tilesize" << number(50) << "";
    QTest::newRow("inside if") << "if true; then defaults write com.apple.dock tilesize -int 54; fi" << "dock.tilesize" << number(54) << "";
    QTest::newRow("last write wins") << "defaults write com.apple.dock tilesize -int 20\ndefaults write com.apple.dock tilesize -int 30" << "dock.tilesize" << number(30) << "";
    QTest::newRow("single quotes keep spaces") << "defaults write com.apple.menuextra.clock DateFormat -string 'EEE  HH:mm'" << "menubar.clock-date-format" << TweakValue::ofString("EEE  HH:mm") << "";
    QTest::newRow("escapes in double quotes") << R"(defaults write com.apple.loginwindow LoginwindowText "Say \"hi\" \$5")" << "login-window.login-window-text" << TweakValue::ofString(R"(Say "hi" $5)") << "";
    QTest::newRow("a quoted ~ is text") << "defaults write com.apple.screencapture location '~/Shots'" << "screenshot.location" << TweakValue::ofString("~/Shots") << "";
    QTest::newRow("-dict gregorian") << "defaults write -g AppleFirstWeekday -dict gregorian -int 2" << "language.first-weekday" << number(2) << "";
    QTest::newRow("-dict-add gregorian untyped") << "defaults write -g AppleFirstWeekday -dict-add buddhist 1 gregorian 3" << "language.first-weekday" << number(3) << "";
    QTest::newRow("a plain first weekday") << "defaults write -g AppleFirstWeekday -int 2" << "" << TweakValue() << "in a dictionary, under “gregorian”";
    QTest::newRow("-currentHost") << "defaults -currentHost write -g KeyRepeat -int 2" << "" << TweakValue() << "-currentHost";
    QTest::newRow("a path domain") << "sudo defaults write /Library/Preferences/com.apple.loginwindow showInputMenu -bool true" << "" << TweakValue() << "given as a file";
    QTest::newRow("a .plist domain") << "defaults write com.apple.dock.plist tilesize -int 40" << "" << TweakValue() << "given as a file";
    QTest::newRow("$HOME") << R"(defaults write com.apple.screencapture location -string "${HOME}/Desktop")" << "" << TweakValue() << notRun;
    QTest::newRow("~") << "defaults write com.apple.screencapture location ~/Desktop" << "" << TweakValue() << notRun;
    QTest::newRow("$(…)") << "defaults write com.apple.dock tilesize -int \"$(echo 40)\"" << "" << TweakValue() << notRun;
    QTest::newRow("not in the catalogue") << "defaults write com.apple.dock wvous-tl-corner -int 2" << "" << TweakValue() << "Not in the catalogue";
    QTest::newRow("out of bounds") << "defaults write com.apple.dock tilesize -int 300" << "" << TweakValue() << "outside this setting's range, 16 to 128";
    QTest::newRow("not a choice") << "defaults write com.apple.dock orientation -string top" << "" << TweakValue() << "not one of this setting's choices";
    QTest::newRow("another type") << "defaults write com.apple.dock tilesize -string big" << "" << TweakValue() << "A -string value, but this setting is a whole number";
    QTest::newRow("-array") << "defaults write -g AppleShowScrollBars -array Always" << "" << TweakValue() << "-array values are not imported";
    QTest::newRow("two values") << "defaults write com.apple.dock tilesize -int 40 41" << "" << TweakValue() << "more than one value";
    QTest::newRow("quote left open") << "defaults write com.apple.dock orientation -string \"left" << "" << TweakValue() << "not closed";
    QTest::newRow("delete") << "defaults delete com.apple.dock tilesize" << "" << TweakValue() << "Only “defaults write”";
    QTest::newRow("read") << "defaults read com.apple.dock tilesize" << "" << TweakValue() << "";
    QTest::newRow("here-document") << "cat <<EOF\ndefaults write com.apple.dock tilesize -int 99\nEOF" << "" << TweakValue() << "";
    QTest::newRow("commented out") << "# defaults write com.apple.dock tilesize -int 99" << "" << TweakValue() << "";
    // clang-format on
}

void TestImportUndo::lineForms()
{
    QFETCH(QString, script);
    QFETCH(QString, id);
    QFETCH(TweakValue, value);
    QFETCH(QString, reason);
    const ScriptImport import = importOf(script);
    if (!id.isEmpty()) {
        QCOMPARE(import.profile().values, (QMap<QString, TweakValue>{{id, value}}));
        QVERIFY2(import.skipped().isEmpty(), qPrintable(import.skippedReport()));
        return;
    }
    QVERIFY(import.profile().values.isEmpty());
    if (reason.isEmpty()) {
        QVERIFY2(import.skipped().isEmpty(), qPrintable(import.skippedReport()));
        return;
    }
    QCOMPARE(import.skipped().size(), 1);
    QCOMPARE(import.skipped().first().number, script.count('\n') + 1 - int(script.contains("\\\n")));
    QVERIFY2(import.skipped().first().reason.contains(reason), qPrintable(import.skipped().first().reason));
}

void TestImportUndo::dotfilesScriptFromTheCommandLine()
{
    TestRoot root;
    QTemporaryDir dir;
    const QString out = dir.filePath("imported.plist");
    const ProgramRun run = runVelmoractl(root, {"profile", "import-script", kScript, "-o", out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith("Imported 14 settings from 15 lines to " + out + "; 6 lines left out"),
             qPrintable(run.out));
    // Every line left out, by its number, with why.
    const QStringList expected{
        ":20: not imported: defaults write com.apple.dock wvous-tl-corner -int 2\n    Not in the catalogue",
        ":21: not imported: defaults write com.apple.dock persistent-apps -array\n    Not in the catalogue",
        ":31: not imported: defaults -currentHost write",
        ":40: not imported: defaults write com.apple.screencapture location",
        ":41: not imported: defaults write com.apple.screencapture type -string \"webp\"\n    “webp” is not "
        "one of",
        ":42: not imported: sudo defaults write /Library/Preferences/com.apple.loginwindow"};
    QCOMPARE(run.err.count(": not imported: "), expected.size());
    for (const QString &line : expected)
        QVERIFY2(run.err.contains(kScript + line), qPrintable(line + "\n---\n" + run.err));

    const Result<ProfileDocument> read = ProfileDocument::read(out);
    QVERIFY(read.ok());
    const QMap<QString, TweakValue> &values = read->profile().values;
    QCOMPARE(values.size(), 14);
    QCOMPARE(values["dock.tilesize"], TweakValue::ofInt(48)); // the later write, inside the if
    QCOMPARE(values["dock.autohide-time-modifier"], TweakValue::ofDouble(0));
    QCOMPARE(values["dock.show-recents"], TweakValue::ofBool(false));
    QCOMPARE(values["dock.orientation"], TweakValue::ofString("left"));
    QCOMPARE(values["keyboard.press-and-hold"], TweakValue::ofBool(false)); // after the continuation
    QCOMPARE(values["language.first-weekday"], TweakValue::ofInt(2));
    QCOMPARE(values["finder.show-pathbar"], TweakValue::ofBool(true));

    // Nothing that maps: no profile, and exit 1 with the report.
    QFile::remove(out);
    const QString none = dir.filePath("none.sh");
    QVERIFY(writeAll(none, "defaults write com.apple.dock wvous-tl-corner -int 2\necho hi\n"));
    const ProgramRun empty = runVelmoractl(root, {"profile", "import-script", none, "-o", out});
    QCOMPARE(empty.exitCode, 1);
    QVERIFY(empty.err.contains(none + ":1: not imported: "));
    QVERIFY(empty.err.contains("no profile written"));
    QVERIFY(!QFile::exists(out));
    QCOMPARE(runVelmoractl(root, {"profile", "import-script", kScript}).exitCode, 2);
    QCOMPARE(
        runVelmoractl(root, {"profile", "import-script", dir.filePath("missing.sh"), "-o", out}).exitCode, 1);
}

void TestImportUndo::applyThenUndoRestoresEveryTweak()
{
    TestRoot root;
    // Some tweaks set, some not; a calendar besides the Gregorian one must survive the round trip.
    root.writeGlobalDomain(
        {{"AppleFirstWeekday", QVariantMap{{"buddhist", qint64(3)}}}, {"KeyRepeat", qint64(6)}});
    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    const QHash<QString, TweakValue> before = readAll(engine);
    const QVariantMap globalBefore = root.globalDomain();
    const Profile changed = everyTweakChanged(engine, root.path());

    const Result<ProfileApplyReport> applied =
        await(RestorePoints::applyKeepingRestorePoint(&engine, changed, "1.0"));
    QVERIFY(applied.ok());
    QVERIFY2(applied->ok(),
             qPrintable(applied->failures.isEmpty() ? QString() : applied->failures.first().reason));
    const QHash<QString, TweakValue> during = readAll(engine);
    for (const Tweak &t : engine.registry().tweaks())
        QVERIFY2(!await(engine.sameState(t, during.value(t.id), before.value(t.id, t.defaultValue))) ||
                     !before.contains(t.id),
                 qPrintable(t.id + " did not change"));

    const QStringList points = RestorePoints::paths(restorePoints(root));
    QCOMPARE(points.size(), 1);
    const Result<RestorePoint> point = RestorePoints::read(points.first());
    QVERIFY(point.ok());
    const ProfileApplyReport undone = await(RestorePoints::undo(&engine, *point));
    QVERIFY(undone.ok());
    QVERIFY(RestorePoints::paths(restorePoints(root)).isEmpty()); // used up

    const QHash<QString, TweakValue> after = readAll(engine);
    for (const Tweak &t : engine.registry().tweaks()) {
        QCOMPARE(after.contains(t.id), before.contains(t.id));
        if (before.contains(t.id))
            QVERIFY2(await(engine.sameState(t, after[t.id], before[t.id])), qPrintable(t.id));
    }
    QCOMPARE(root.globalDomain().value("AppleFirstWeekday"), globalBefore.value("AppleFirstWeekday"));
}

void TestImportUndo::theNewestTenAreKeptAndUndoneInTurn()
{
    TestRoot root;
    TweakEngine engine(TweakRegistry::shared(), root.platform(), standardHandlers());
    const Tweak size = tweak("dock.tilesize");
    for (int n = 1; n <= 12; ++n) {
        Profile p;
        p.name = QString::number(n);
        p.values = {{size.id, TweakValue::ofInt(16 + n)}};
        QVERIFY(await(RestorePoints::applyKeepingRestorePoint(&engine, p, "1.0")).ok());
    }
    QCOMPARE(RestorePoints::paths(restorePoints(root)).size(), RestorePoints::kKept);
    // Each undo goes one apply further back: 28 → 27 → 26.
    for (int n = 11; n >= 10; --n) {
        const std::optional<Result<RestorePoint>> latest = RestorePoints::latest(restorePoints(root));
        QVERIFY(latest && latest->ok());
        QCOMPARE((*latest)->profile.name, QStringLiteral("Before “%1”").arg(n + 1));
        QVERIFY(await(RestorePoints::undo(&engine, latest->value())).ok());
        QCOMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(16 + n)));
    }
    QCOMPARE(RestorePoints::paths(restorePoints(root)).size(), RestorePoints::kKept - 2);

    // The command line: undo of what `profile apply` did, after asking.
    QTemporaryDir dir;
    Profile p;
    p.id = QUuid::createUuid();
    p.name = "Big";
    p.createdAt = QDateTime::currentDateTimeUtc();
    p.appVersion = "1.0";
    p.values = {{size.id, TweakValue::ofInt(100)}, {"finder.show-hidden-files", TweakValue::ofBool(true)}};
    QVERIFY(ProfileDocument(p).write(dir.filePath("big.plist")).ok());
    QCOMPARE(runVelmoractl(root, {"profile", "apply", dir.filePath("big.plist"), "--yes"}).exitCode, 0);
    QCOMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(100)));
    const ProgramRun no = runVelmoractl(root, {"profile", "undo"}, "n\n");
    QVERIFY2(no.out.contains("Profile: Before “Big”\nIcon size: 100 → 26\nShow hidden files: On → Off\n"),
             qPrintable(no.out));
    QVERIFY(no.out.contains("Nothing undone."));
    const ProgramRun yes = runVelmoractl(root, {"profile", "undo", "--yes"});
    QCOMPARE(yes.exitCode, 0);
    QCOMPARE(root.domain("com.apple.dock").value("tilesize"), QVariant(qint64(26)));
    QVERIFY(!root.domain("com.apple.finder").contains("AppleShowAllFiles")); // not set before: reset
    for (const QString &path : RestorePoints::paths(restorePoints(root)))
        QVERIFY(QFile::remove(path));
    const ProgramRun nothing = runVelmoractl(root, {"profile", "undo", "--yes"});
    QCOMPARE(nothing.exitCode, 1);
    QVERIFY(nothing.err.contains("nothing to undo"));
}

void TestImportUndo::importAndUndoFromTheWindow()
{
    ProfileApp a;
    ProfileMenu *menu = a.menu();
    QVERIFY(!menu->undoAction()->isEnabled());
    a.panels->answers.enqueue(kScript);
    menu->importScriptAction()->trigger();
    QTRY_VERIFY(menu->reviewSheet());
    // The lines left out are told before the review opens.
    QCOMPARE(a.panels->warnings.size(), 1);
    QVERIFY2(a.panels->warnings.first().startsWith("6 lines of “dotfiles.sh” were left out.\nline 20: "),
             qPrintable(a.panels->warnings.first()));
    QCOMPARE(menu->reviewSheet()->profile().name, QStringLiteral("Imported from dotfiles.sh"));
    QTest::mouseClick(menu->reviewSheet()->applyButton(), Qt::LeftButton);
    QTRY_COMPARE(a.root.domain("com.apple.dock").value("orientation"), QVariant("left"));
    QTRY_VERIFY(menu->undoAction()->isEnabled());

    menu->undoAction()->trigger();
    QTRY_VERIFY(menu->reviewSheet());
    QVERIFY(menu->reviewSheet()->profile().name.startsWith("Before “Imported from dotfiles.sh”"));
    QTest::mouseClick(menu->reviewSheet()->applyButton(), Qt::LeftButton);
    QTRY_COMPARE(a.root.domain("com.apple.dock").value("orientation"), QVariant("bottom"));
    QTRY_VERIFY(!menu->undoAction()->isEnabled());
    QVERIFY(a.panels->errors.isEmpty());
}

QTEST_MAIN(TestImportUndo)
#include "tst_import_undo.moc"
