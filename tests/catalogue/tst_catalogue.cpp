// The catalogue: its invariants, its pages, the value type's coded form, and the
// catalogue as velmoractl prints it.

#include "catalogue/TweakRegistry.h"
#include "common/JsonText.h"
#include "support/ProgramRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QtConcurrent>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::TweakValue)

namespace {

const TweakRegistry &registry()
{
    return TweakRegistry::shared();
}

bool onStepGrid(double value, double min, double step)
{
    const double steps = (value - min) / step;
    return std::abs(steps - std::round(steps)) < 1e-9;
}

QVariantMap coded(const char *caseName, const QVariant &payload)
{
    return {{QString::fromLatin1(caseName), QVariantMap{{"_0", payload}}}};
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void invariantsOfTheCatalogue();
    void lookupsOfUnknownIds();
    void textsKeepTheirNonAsciiCharacters_data();
    void textsKeepTheirNonAsciiCharacters();
    void makeRejectsBrokenConstantData_data();
    void makeRejectsBrokenConstantData();
    void sharedIsBuiltOnceAcrossThreads();

    void restartTargetRawValues();
    void valueEquality_data();
    void valueEquality();
    void codedFormRoundTrips_data();
    void codedFormRoundTrips();
    void codedFormDecodingErrors_data();
    void codedFormDecodingErrors();

    void cliPrintsTheWholeCatalogueAsJson();
};

void TestCatalogue::invariantsOfTheCatalogue()
{
    const auto &r = registry();
    QCOMPARE(r.tweaksByID().size(), r.tweaks().size());

    // Categories in sidebar order, each with a page of its own: its tweaks in catalogue order.
    QSet<QString> categoryIDs;
    for (int i = 0; i < r.categories().size(); ++i) {
        const TweakCategory &c = r.categories()[i];
        QVERIFY2(i == 0 || r.categories()[i - 1].order < c.order, qPrintable(c.id));
        QVERIFY2(!categoryIDs.contains(c.id), qPrintable(c.id));
        categoryIDs.insert(c.id);
        QStringList inCatalogue, onPage;
        for (const Tweak &t : r.tweaks())
            if (t.categoryID == c.id)
                inCatalogue << t.id;
        for (const Tweak &t : r.tweaksInCategory(c.id))
            onPage << t.id;
        QVERIFY2(!onPage.isEmpty(), qPrintable(c.id));
        QCOMPARE(onPage, inCatalogue);
    }

    static const QRegularExpression idShape(QStringLiteral("^[a-z0-9]+([.-][a-z0-9]+)*$"));
    for (const Tweak &t : r.tweaks()) {
        const QByteArray whereBytes = t.id.toUtf8();
        const char *where = whereBytes.constData();
        QVERIFY2(idShape.match(t.id).hasMatch(), where);
        QVERIFY2(categoryIDs.contains(t.categoryID), where);
        if (t.id != QLatin1String("dock.apps"))
            QVERIFY2(t.id.startsWith(t.categoryID + QLatin1Char('.')), where);
        QVERIFY2(!t.title.isEmpty(), where);
        QVERIFY2(!t.summary || !t.summary->isEmpty(), where);
        QVERIFY2(!t.warning || !t.warning->isEmpty(), where);

        if (t.preferenceKey) {
            QVERIFY2(!t.preferenceKey->domain.isEmpty() && !t.preferenceKey->key.isEmpty(), where);
            QVERIFY2(t.defaultValue.type() == t.preferenceKey->type, where);
        } else {
            // Only the tweaks with handlers have no key; they hold JSON text.
            QVERIFY2(t.servedByHandler, where);
            QVERIFY2(t.kind.type() == TweakKind::Type::text, where);
            QVERIFY2(t.defaultValue == TweakValue::ofString(QStringLiteral("{}")), where);
        }

        switch (t.kind.type()) {
        case TweakKind::Type::toggle: QVERIFY2(t.defaultValue.isBool(), where); break;
        case TweakKind::Type::text:
        case TweakKind::Type::path: QVERIFY2(t.defaultValue.isString(), where); break;
        case TweakKind::Type::integer: {
            const auto b = t.kind.integerBounds();
            QVERIFY2(t.defaultValue.isInt() && b.min && b.max && b.step > 0, where);
            QVERIFY2(*b.min <= t.defaultValue.toInt() && t.defaultValue.toInt() <= *b.max, where);
            QVERIFY2((t.defaultValue.toInt() - *b.min) % b.step == 0, where);
            break;
        }
        case TweakKind::Type::decimal: {
            const auto b = t.kind.decimalBounds();
            QVERIFY2(t.defaultValue.isDouble() && b.min && b.max && b.step > 0, where);
            QVERIFY2(*b.min <= t.defaultValue.toDouble() && t.defaultValue.toDouble() <= *b.max, where);
            QVERIFY2(onStepGrid(t.defaultValue.toDouble(), *b.min, b.step), where);
            QVERIFY2(onStepGrid(*b.max, *b.min, b.step), where);
            break;
        }
        case TweakKind::Type::picker: {
            const auto &options = t.kind.options();
            QVERIFY2(options.size() >= 2, where);
            QSet<QString> labels;
            bool defaultIsAnOption = false;
            for (const TweakOption &o : options) {
                QVERIFY2(o.value.type() == t.defaultValue.type(), where);
                QVERIFY2(!labels.contains(o.label), where);
                labels.insert(o.label);
                defaultIsAnOption = defaultIsAnOption || o.value == t.defaultValue;
            }
            QVERIFY2(defaultIsAnOption, where);
            break;
        }
        }
    }
}

void TestCatalogue::lookupsOfUnknownIds()
{
    QVERIFY(!registry().tweak(QStringLiteral("dock.nonexistent")));
    QVERIFY(!registry().tweak(QString()));
    QVERIFY(registry().tweaksInCategory(QStringLiteral("no-such-category")).isEmpty());
    QVERIFY(!registry().category(QStringLiteral("no-such-category")));
}

void TestCatalogue::textsKeepTheirNonAsciiCharacters_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const char *id, const char *field, const char16_t *expected) {
        QTest::newRow(name) << QString(id) << QString(field) << QString::fromUtf16(expected);
    };
    // Built from code points, so a wrongly encoded source file cannot hide here.
    row("é", "dock.scroll-to-open", "title", u"Scroll up on Dock icon to open Expos\u00e9");
    row("⌘", "finder.spawn-tab", "title", u"\u2318-double-click opens folders in new tab");
    row("globe emoji", "keyboard.fn-usage-type", "title", u"Fn / \U0001F310 key behavior");
    row("en dash", "mouse.scaling", "summary",
        u"Higher is faster. The Settings UI maps roughly to 0.0\u20133.0.");
    row("double quotes", "general.disable-quarantine-popup", "title",
        u"Show \"Application Downloaded from Internet\" warning");
    row("apostrophe", "menubar.show-bluetooth", "option0", u"Don't show");
    row("ampersand", "keyboard.fn-usage-type", "option2", u"Show Emoji & Symbols");
}

void TestCatalogue::textsKeepTheirNonAsciiCharacters()
{
    QFETCH(QString, id);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    const auto t = registry().tweak(id);
    QVERIFY(t);
    QString actual;
    if (field == QLatin1String("title"))
        actual = t->title;
    else if (field == QLatin1String("summary"))
        actual = t->summary.value_or(QString());
    else
        actual = t->kind.options().at(field.mid(6).toInt()).label;
    QCOMPARE(actual, expected);
}

void TestCatalogue::makeRejectsBrokenConstantData_data()
{
    QTest::addColumn<QString>("secondID");
    QTest::addColumn<QString>("secondCategory");
    QTest::addColumn<QString>("error");
    const auto row = [](const char *name, const char *id, const char *category, const char *error) {
        QTest::newRow(name) << QString(id) << QString(category) << QString(error);
    };
    row("duplicate id", "dock.autohide", "dock", "duplicate tweak id \"dock.autohide\"");
    row("unknown category", "nowhere.x", "nowhere", "tweak \"nowhere.x\" names unknown category \"nowhere\"");
    row("valid data", "dock.tilesize", "dock", "");
}

void TestCatalogue::makeRejectsBrokenConstantData()
{
    QFETCH(QString, secondID);
    QFETCH(QString, secondCategory);
    QFETCH(QString, error);
    Tweak first = *registry().tweak(QStringLiteral("dock.autohide"));
    Tweak second = first;
    second.id = secondID;
    second.categoryID = secondCategory;
    const QList<TweakCategory> categories = {
        {"general", "General", "gearshape.fill", CategoryTint::gray, 23},
        {"dock", "Dock Appearance", "dock.rectangle", CategoryTint::blue, 0}};
    const Result<TweakRegistry> made = TweakRegistry::make(categories, {first, second});
    if (error.isEmpty()) {
        QVERIFY(made.ok());
        QCOMPARE(made->categories().first().id, QStringLiteral("dock")); // sorted by order
        QCOMPARE(made->tweaksInCategory("dock").size(), 2);
    } else {
        QVERIFY(!made.ok());
        QCOMPARE(made.error(), error);
    }
}

void TestCatalogue::sharedIsBuiltOnceAcrossThreads()
{
    QList<QFuture<const TweakRegistry *>> futures;
    for (int i = 0; i < 8; ++i)
        futures << QtConcurrent::run([] { return &TweakRegistry::shared(); });
    for (auto &f : futures)
        QCOMPARE(f.result(), &TweakRegistry::shared());
    // Copies share the data rather than rebuilding it.
    const TweakRegistry copy = TweakRegistry::shared();
    QCOMPARE(copy.tweaks().constData(), TweakRegistry::shared().tweaks().constData());
}

void TestCatalogue::restartTargetRawValues()
{
    QStringList raws;
    for (RestartTarget t : allRestartTargets()) {
        raws << rawValue(t);
        QCOMPARE(restartTargetFromRawValue(rawValue(t)), std::optional<RestartTarget>(t));
    }
    QCOMPARE(raws, (QStringList{"Dock", "Finder", "SystemUIServer", "ControlCenter", "cfprefsd"}));
    QVERIFY(!restartTargetFromRawValue(QStringLiteral("dock")));
    QVERIFY(!restartTargetFromRawValue(QStringLiteral("Cfprefsd")));
}

void TestCatalogue::valueEquality_data()
{
    QTest::addColumn<TweakValue>("a");
    QTest::addColumn<TweakValue>("b");
    QTest::addColumn<bool>("equal");
    QTest::newRow("int 1 vs bool true") << TweakValue::ofInt(1) << TweakValue::ofBool(true) << false;
    QTest::newRow("double 2 vs int 2") << TweakValue::ofDouble(2) << TweakValue::ofInt(2) << false;
    QTest::newRow("string 1 vs int 1") << TweakValue::ofString("1") << TweakValue::ofInt(1) << false;
    QTest::newRow("bool false vs int 0") << TweakValue::ofBool(false) << TweakValue::ofInt(0) << false;
    QTest::newRow("empty string vs bool false")
        << TweakValue::ofString("") << TweakValue::ofBool(false) << false;
    QTest::newRow("0.0 vs -0.0") << TweakValue::ofDouble(0.0) << TweakValue::ofDouble(-0.0) << true;
    QTest::newRow("0.1+0.2 vs 0.3") << TweakValue::ofDouble(0.1 + 0.2) << TweakValue::ofDouble(0.3) << false;
    QTest::newRow("same strings") << TweakValue::ofString("Dark") << TweakValue::ofString("Dark") << true;
    QTest::newRow("case matters") << TweakValue::ofString("dark") << TweakValue::ofString("Dark") << false;
}

void TestCatalogue::valueEquality()
{
    QFETCH(TweakValue, a);
    QFETCH(TweakValue, b);
    QFETCH(bool, equal);
    QCOMPARE(a == b, equal);
    QCOMPARE(a != b, !equal);
    if (equal)
        QCOMPARE(qHash(a), qHash(b));
    QSet<TweakValue> set{a, b};
    QCOMPARE(set.size(), equal ? 1 : 2);
}

void TestCatalogue::codedFormRoundTrips_data()
{
    QTest::addColumn<TweakValue>("value");
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("display");
    const auto row = [](const char *name, const TweakValue &value, const QByteArray &json,
                        const char *display) {
        QTest::newRow(name) << value << json << QString::fromUtf8(display);
    };
    row("true", TweakValue::ofBool(true), R"({"bool":{"_0":true}})", "On");
    row("false", TweakValue::ofBool(false), R"({"bool":{"_0":false}})", "Off");
    row("int", TweakValue::ofInt(48), R"({"int":{"_0":48}})", "48");
    row("negative int", TweakValue::ofInt(-1), R"({"int":{"_0":-1}})", "-1");
    row("int64 max", TweakValue::ofInt(std::numeric_limits<qint64>::max()),
        R"({"int":{"_0":9223372036854775807}})", "9223372036854775807");
    row("int64 min", TweakValue::ofInt(std::numeric_limits<qint64>::min()),
        R"({"int":{"_0":-9223372036854775808}})", "-9223372036854775808");
    row("double", TweakValue::ofDouble(0.5), R"({"double":{"_0":0.5}})", "0.50");
    row("whole double", TweakValue::ofDouble(1), R"({"double":{"_0":1.0}})", "1.00");
    row("string", TweakValue::ofString("Dark"), R"({"string":{"_0":"Dark"}})", "Dark");
    row("empty string", TweakValue::ofString(""), R"({"string":{"_0":""}})", "(empty)");
    row("json text", TweakValue::ofString(R"({"a":[1,"x"]})"), R"({"string":{"_0":"{\"a\":[1,\"x\"]}"}})",
        R"({"a":[1,"x"]})");
    row("emoji", TweakValue::ofString(QString::fromUtf16(u"\U0001F310 \u2318")),
        "{\"string\":{\"_0\":\"\xF0\x9F\x8C\x90 \xE2\x8C\x98\"}}", "\xF0\x9F\x8C\x90 \xE2\x8C\x98");
}

void TestCatalogue::codedFormRoundTrips()
{
    QFETCH(TweakValue, value);
    QFETCH(QByteArray, json);
    QFETCH(QString, display);
    // In memory.
    const Result<TweakValue> direct = TweakValue::decode(value.encoded());
    QVERIFY2(direct.ok(), qPrintable(direct.error()));
    QCOMPARE(*direct, value);
    QCOMPARE(direct->type(), value.type());
    // Through JSON text; a reader that hands a whole double back as an integer must still get a double.
    const QByteArray written = jsonText(value.encoded(), false);
    QCOMPARE(written, json);
    const Result<TweakValue> reread =
        TweakValue::decode(QJsonDocument::fromJson(json).object().toVariantMap());
    QVERIFY2(reread.ok(), qPrintable(reread.error()));
    QCOMPARE(*reread, value);
    QCOMPARE(reread->type(), value.type());
    // As the window shows it.
    QCOMPARE(value.displayText(), display);
    QCOMPARE(displayText(std::optional<TweakValue>(value)), display);
    QCOMPARE(displayText(std::nullopt), QStringLiteral("(not set)"));
}

void TestCatalogue::codedFormDecodingErrors_data()
{
    QTest::addColumn<QVariant>("coded");
    QTest::addColumn<QString>("error"); // empty: decodes fine
    const QString keyCount = QStringLiteral("Invalid number of keys found, expected one.");
    QVariantMap twoCases = coded("int", 1);
    twoCases.insert(coded("bool", true));
    QTest::newRow("int and bool keys") << QVariant(twoCases) << keyCount;
    QTest::newRow("empty dictionary") << QVariant(QVariantMap()) << keyCount;
    QTest::newRow("only unknown keys")
        << QVariant(QVariantMap{{"float", QVariantMap{{"_0", 1.0}}}}) << keyCount;
    QVariantMap withExtra = coded("int", 7);
    withExtra.insert("comment", "ignored");
    QTest::newRow("int plus unrelated key") << QVariant(withExtra) << QString();
    QTest::newRow("bool without _0") << QVariant(QVariantMap{{"bool", QVariantMap{{"_1", true}}}})
                                     << "No value associated with key \"_0\" in \"bool\".";
    QTest::newRow("bool holding a number") << QVariant(coded("bool", 1)) << "!";
    QTest::newRow("int holding a text") << QVariant(coded("int", "48")) << "!";
    QTest::newRow("int holding a fraction") << QVariant(coded("int", 48.5)) << "!";
    QTest::newRow("int above int64") << QVariant(coded("int", QVariant::fromValue(quint64(1) << 63))) << "!";
    QTest::newRow("double holding a bool") << QVariant(coded("double", true)) << "!";
    QTest::newRow("string holding a number") << QVariant(coded("string", 1)) << "!";
    QTest::newRow("case not a dictionary") << QVariant(QVariantMap{{"int", 48}}) << "!";
    QTest::newRow("not a dictionary at all") << QVariant(QVariantList{1, 2}) << "!";
    QTest::newRow("nothing") << QVariant() << "!";
}

void TestCatalogue::codedFormDecodingErrors()
{
    QFETCH(QVariant, coded);
    QFETCH(QString, error);
    const Result<TweakValue> decoded = TweakValue::decode(coded);
    if (error.isEmpty()) {
        QVERIFY2(decoded.ok(), qPrintable(decoded.error()));
        return;
    }
    QVERIFY(!decoded.ok());
    QVERIFY(!decoded.error().isEmpty());
    if (error != QLatin1String("!"))
        QCOMPARE(decoded.error(), error);
}

void TestCatalogue::cliPrintsTheWholeCatalogueAsJson()
{
    const auto json = [](const char *text) { return QJsonDocument::fromJson(text).object(); };
    const QString ctl = QStringLiteral(VELMORA_BIN_DIR "/velmoractl");
    const test::ProgramRun run = test::runProgram(ctl, {"catalogue", "--json"});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError parseError;
    const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8(), &parseError).object();
    QCOMPARE(parseError.error, QJsonParseError::NoError);

    const QJsonArray categories = root["categories"].toArray();
    QCOMPARE(categories.size(), registry().categories().size());
    QCOMPARE(categories[0].toObject(), json(R"({"id": "appearance", "title": "Appearance",
                                                "symbol": "paintbrush.fill", "tint": "purple", "order": -3})"));

    // In catalogue order, with its title and a coded default that reads back equal.
    const QJsonArray tweaks = root["tweaks"].toArray();
    QCOMPARE(tweaks.size(), registry().tweaks().size());
    QHash<QString, QJsonObject> byID;
    for (int i = 0; i < tweaks.size(); ++i) {
        const QJsonObject t = tweaks[i].toObject();
        const Tweak &expected = registry().tweaks().at(i);
        QCOMPARE(t["id"].toString(), expected.id);
        QCOMPARE(t["title"].toString(), expected.title);
        QCOMPARE(t.keys().size(), 10);
        const Result<TweakValue> value = TweakValue::decode(t["defaultValue"].toObject().toVariantMap());
        QVERIFY2(value.ok() && *value == expected.defaultValue, qPrintable(expected.id));
        byID.insert(expected.id, t);
    }

    // Every field of one tweak; then the other kinds' bounds and options, and restarts in order.
    QJsonObject tilesize = byID["dock.tilesize"];
    QVERIFY(tilesize.take("summary").isString());
    QCOMPARE(tilesize, json(R"({"id": "dock.tilesize", "title": "Icon size", "categoryID": "dock",
        "kind": {"type": "integer", "min": 16, "max": 128, "step": 1}, "defaultValue": {"int": {"_0": 48}},
        "preferenceKey": {"domain": "com.apple.dock", "key": "tilesize", "type": "int"},
        "restart": ["Dock"], "warning": null, "hasHandler": false})"));
    const QJsonObject scaling = byID["mouse.scaling"]["kind"].toObject();
    QCOMPARE(scaling["min"].toDouble(), -1.0);
    QCOMPARE(scaling["step"].toDouble(), 0.0625);
    QVERIFY(run.out.contains(R"("max": 4.0,)")); // decimal bounds stay doubles in the text
    const QJsonObject accent = byID["appearance.accent-color"];
    QVERIFY(accent["summary"].isNull());
    QVERIFY(!accent["kind"].toObject().contains("min"));
    QCOMPARE(accent["kind"]["options"].toArray().last().toObject(),
             json(R"({"value": {"int": {"_0": 8}}, "label": "Graphite"})"));
    QCOMPARE(byID["dock.autohide"]["kind"].toObject(), json(R"({"type": "toggle"})"));
    QVERIFY(byID["dock.apps"]["preferenceKey"].isNull());
    QCOMPARE(byID["mission-control.spans-displays"]["restart"].toArray(),
             (QJsonArray{"SystemUIServer", "Dock"}));

    // The readable table: a header and one line per tweak.
    const test::ProgramRun table = test::runProgram(ctl, {"catalogue"});
    QCOMPARE(table.exitCode, 0);
    const QStringList lines = table.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), registry().tweaks().size() + 1);
    QVERIFY(lines[1].startsWith("appearance"));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
