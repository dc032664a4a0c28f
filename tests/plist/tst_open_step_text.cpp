// Old-style property-list text: the layout `defaults read` prints, the descriptions of single
// values, and the parser behind untyped `defaults write` values.

#include "plist/OpenStepText.h"

#include <QTimeZone>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace velmora;

namespace {

const QString kRealDockOutput =
    QStringLiteral("/work/shared/fixtures/real/dock-2019-keanecodes-defaults-read.txt");

QVariant i64(qint64 n)
{
    return QVariant::fromValue(n);
}

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

// A value with what `defaults read DOMAIN KEY` prints for it and how `defaults read DOMAIN` lays it
// out; nullptr leaves that text unchecked.
void textRow(const char *name, const QVariant &value, const char *described, const char *formatted)
{
    QTest::newRow(name) << value << (described ? QString::fromUtf8(described) : QString())
                        << (formatted ? QString::fromUtf8(formatted) : QString());
}

// Text to parse with the value it must give, or with part of the error it must give.
void parseRow(const char *name, const QString &text, const QVariant &expected, const char *error = nullptr)
{
    QTest::newRow(name) << text << expected << QString::fromUtf8(error);
}

void errorRow(const char *name, const QString &text, const char *error)
{
    parseRow(name, text, QVariant(), error);
}

} // namespace

class TestOpenStepText : public QObject {
    Q_OBJECT

private slots:
    void formatsNestedDockLikeDictionary();
    void valueTexts_data();
    void valueTexts();
    void realDefaultsReadOutputRoundTrips();
    void parse_data();
    void parse();
    void nestingDepthIsGuarded();
    void stringsSurviveFormatAndParse_data();
    void stringsSurviveFormatAndParse();
};

void TestOpenStepText::formatsNestedDockLikeDictionary()
{
    const QVariantMap tile{
        {"GUID", i64(1575166304)},
        {"tile-type", "file-tile"},
        {"tile-data",
         QVariantMap{
             {"book", QByteArray::fromHex("626f6f6bd802000000")},
             {"file-data", QVariantMap{{"_CFURLString", "file:///Applications/iTerm.app/"},
                                       {"_CFURLStringType", i64(15)}}},
             {"file-label", "iTerm"},
         }},
    };
    const QVariantMap dock{
        {"orientation", "bottom"},
        {"autohide-time-modifier", 0.5},
        {"persistent-apps", QVariantList{tile}},
        {"persistent-others", QVariantList()},
        {"dock-extras", QVariantMap()},
        {"autohide", true},
    };

    const QString expected = QStringLiteral(R"({
    autohide = 1;
    "autohide-time-modifier" = "0.5";
    "dock-extras" =     {
    };
    orientation = bottom;
    "persistent-apps" =     (
                {
            GUID = 1575166304;
            "tile-data" =             {
                book = <626f6f6b d8020000 00>;
                "file-data" =                 {
                    "_CFURLString" = "file:///Applications/iTerm.app/";
                    "_CFURLStringType" = 15;
                };
                "file-label" = iTerm;
            };
            "tile-type" = "file-tile";
        }
    );
    "persistent-others" =     (
    );
})");
    QCOMPARE(OpenStepText::format(dock), expected);
}

void TestOpenStepText::valueTexts_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("described");
    QTest::addColumn<QString>("formatted");

    textRow("plain word", "iTerm", "iTerm", "iTerm");
    textRow("hyphen", "tile-data", "tile-data", "\"tile-data\"");
    textRow("underscore", "en_GB", "en_GB", "\"en_GB\"");
    textRow("digits with dot", "0.5", "0.5", "\"0.5\"");
    textRow("empty string", QString(""), "", "\"\"");
    textRow("quote", "a\"b", "a\"b", "\"a\\\"b\"");
    textRow("backslash", "a\\b", "a\\b", "\"a\\\\b\"");
    textRow("newline and tab", "a\nb\tc", "a\nb\tc", "\"a\\nb\\tc\"");
    textRow("control", QString(QChar(1)), "\x01", "\"\\U0001\"");
    textRow("accent", "Exposé", "Exposé", "\"Expos\\U00e9\"");
    textRow("outside the BMP", "🌐", "🌐", "\"\\Ud83c\\Udf10\"");
    textRow("true", true, "1", "1");
    textRow("false", false, "0", "0");
    textRow("int", 5, "5", nullptr);
    textRow("integer", i64(42), "42", "42");
    textRow("negative integer", i64(-5), "-5", "\"-5\"");
    textRow("smallest", i64(std::numeric_limits<qint64>::min()), "-9223372036854775808", nullptr);
    textRow("unsigned", QVariant::fromValue(std::numeric_limits<quint64>::max()), "18446744073709551615",
            nullptr);
    textRow("whole real", 2.0, "2", "2");
    textRow("zero", 0.0, "0", nullptr);
    textRow("fraction", 0.5, "0.5", "\"0.5\"");
    textRow("negative fraction", -0.0625, "-0.0625", nullptr);
    textRow("shortest, not rounded", 0.1 + 0.2, "0.30000000000000004", nullptr);
    textRow("long fraction", 577985781.54171, "577985781.54171", nullptr);
    textRow("large whole", 123456789012345.0, "123456789012345", nullptr);
    textRow("exponent from 1e16", 1e16, "1e+16", nullptr);
    textRow("large real", 1e20, "1e+20", "\"1e+20\"");
    textRow("small", 0.0001, "0.0001", nullptr);
    textRow("tiny", 1e-5, "1e-05", nullptr);
    textRow("tiny with digits", -1.25e-7, "-1.25e-07", nullptr);
    textRow("not a number", std::nan(""), "nan", nullptr);
    textRow("date", utc(2024, 1, 2, 3, 4, 5), "2024-01-02 03:04:05 +0000", "\"2024-01-02 03:04:05 +0000\"");
    textRow("date in another zone", QDateTime(QDate(2024, 1, 2), QTime(5, 4, 5), QTimeZone(7200)),
            "2024-01-02 03:04:05 +0000", nullptr);
    textRow("data", QByteArray::fromHex("0a0b0c0d0e0f"), "<0a0b0c0d 0e0f>", "<0a0b0c0d 0e0f>");
    textRow("data of whole groups", QByteArray::fromHex("0a0b0c0d0e0f1011"), nullptr, "<0a0b0c0d 0e0f1011>");
    textRow("empty data", QByteArray(), nullptr, "<>");
    textRow("empty array", QVariantList(), nullptr, "(\n)");
    textRow("empty dictionary", QVariantMap(), nullptr, "{\n}");
    textRow("array", QVariantList{"a", "b c", true}, "(\n    a,\n    \"b c\",\n    1\n)",
            "(\n    a,\n    \"b c\",\n    1\n)");
    textRow("string list", QStringList{"en", "nl"}, nullptr, "(\n    en,\n    nl\n)");
    textRow("dictionary", QVariantMap{{"k", "v w"}}, "{\n    k = \"v w\";\n}", "{\n    k = \"v w\";\n}");
}

void TestOpenStepText::valueTexts()
{
    QFETCH(QVariant, value);
    QFETCH(QString, described);
    QFETCH(QString, formatted);
    if (!described.isNull())
        QCOMPARE(OpenStepText::describe(value), described);
    if (!formatted.isNull())
        QCOMPARE(OpenStepText::format(value), formatted);
}

void TestOpenStepText::realDefaultsReadOutputRoundTrips()
{
    QFile file(kRealDockOutput);
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("the real defaults read output is not on this machine");
    const QString text = QString::fromUtf8(file.readAll());

    // The text has no numbers, only strings and data; printed again it must come out identical,
    // doubled indents of nested containers included.
    const Result<QVariant> parsed = OpenStepText::parse(text);
    QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
    QCOMPARE(OpenStepText::format(*parsed) + QLatin1Char('\n'), text);
    const QVariantList apps = parsed->toMap().value("persistent-apps").toList();
    QCOMPARE(apps.size(), 2);
    QCOMPARE(apps[0].toMap().value("tile-data").toMap().value("book").typeId(), QMetaType::QByteArray);
}

void TestOpenStepText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("error");

    parseRow("word", "abc", "abc");
    parseRow("every unquoted character", "a_b$c+d/e:f.g-h", "a_b$c+d/e:f.g-h");
    parseRow("url, whose // starts no comment", "http://example.com/a", "http://example.com/a");
    parseRow("whitespace around", " \n x \t", "x");
    parseRow("escapes", R"("a\"b\\c\nd\te\rf")", "a\"b\\c\nd\te\rf");
    parseRow("unicode escapes", R"("\U00e9\U2318")", "é⌘");
    parseRow("surrogate pair", R"("\Ud83c\Udf10")", "🌐");
    parseRow("short unicode escape", R"("\U41")", "A");
    parseRow("octal", R"("\101\012")", "A\n");
    parseRow("other escape", R"("\q")", "q");
    parseRow("single quotes", "'a \"b\"'", "a \"b\"");
    parseRow("empty quoted", "\"\"", QString(""));
    parseRow("numbers stay text", "(1, 0.5, -2)", QVariantList{"1", "0.5", "-2"});
    parseRow("empty array", "( )", QVariantList());
    parseRow("trailing comma", "(a, b,)", QVariantList{"a", "b"});
    parseRow("empty dictionary", "{}", QVariantMap());
    parseRow("no spaces", "{\"enabled\" = 1;\"name\" = \"X\";}",
             QVariantMap{{"enabled", "1"}, {"name", "X"}});
    parseRow("last duplicate wins", "{a = 1; a = 2;}", QVariantMap{{"a", "2"}});
    parseRow(
        "nested", "{a = (1, {b = c;}); \"d e\" = <00ff>;}",
        QVariantMap{{"a", QVariantList{"1", QVariantMap{{"b", "c"}}}}, {"d e", QByteArray("\x00\xff", 2)}});
    parseRow("data with spaces", "<0a 0b0c\n0D>", QByteArray("\x0a\x0b\x0c\x0d"));
    parseRow("empty data", "<>", QByteArray());
    parseRow("comments", "/* c */ ( a, // line\n b /* x */ ) // end", QVariantList{"a", "b"});

    errorRow("empty", "", "Unexpected end of text");
    errorRow("only a comment", "// nothing", "Unexpected end of text");
    errorRow("open array", "(", "Unexpected end of text");
    errorRow("unterminated array", "(a", "Unterminated array");
    errorRow("double comma", "(a,,b)", "Unexpected character ','");
    errorRow("missing comma", "(a b)", "Expected ',' or ')'");
    errorRow("missing semicolon", "{a = 1}", "Missing ';'");
    errorRow("missing equals", "{a 1;}", "Missing '='");
    errorRow("array as key", "{(a) = b;}", "Expected a key");
    errorRow("unterminated dictionary", "{a = b;", "Unterminated dictionary");
    errorRow("unterminated string", "\"abc", "Unterminated quoted string");
    errorRow("escape at the end", "\"abc\\", "Unterminated quoted string");
    errorRow("escape without digits", R"("\Uzz")", "\\U without hex digits");
    errorRow("octal out of range", R"("\777")", "Octal escape out of range");
    errorRow("odd data", "<0a1>", "odd number of hex digits");
    errorRow("bad data", "<zz>", "in data");
    errorRow("unterminated data", "<0a", "Unterminated data");
    errorRow("trailing text", "a b", "after the value");
    errorRow("unterminated comment", "a /* open", "Unterminated comment");
    errorRow("error on a later line", "(a)\n\n)", "line 3");
    errorRow("bad character", "@", "Unexpected character '@'");
    errorRow("control character", QString("a") + QChar(1), "character U+0001");
}

void TestOpenStepText::parse()
{
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    QFETCH(QString, error);
    const Result<QVariant> parsed = OpenStepText::parse(text);
    if (!error.isEmpty()) {
        QVERIFY(!parsed.ok());
        QVERIFY2(parsed.error().contains(error), qPrintable(parsed.error()));
        return;
    }
    QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
    QCOMPARE(parsed->typeId(), expected.typeId());
    QCOMPARE(*parsed, expected);
}

void TestOpenStepText::nestingDepthIsGuarded()
{
    const auto nested = [](int depth) { return QString(depth, '(') + QString(depth, ')'); };
    QVERIFY(OpenStepText::parse(nested(256)).ok());
    QVERIFY(!OpenStepText::parse(nested(257)).ok());
    const Result<QVariant> hostile = OpenStepText::parse(QString(200000, '('));
    QVERIFY(!hostile.ok());
    QVERIFY(hostile.error().contains("nested too deeply"));
}

void TestOpenStepText::stringsSurviveFormatAndParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("word") << "Dock";
    QTest::newRow("punctuation") << "tile-data/_:$+.";
    QTest::newRow("quotes and backslashes") << "a\"b\\c'd";
    QTest::newRow("controls") << QString("\n\t\r") + QChar(1) + QChar(0x7f);
    QTest::newRow("non-ASCII") << "Exposé ⌘ 🌐";
    QTest::newRow("lone surrogate") << QString(QChar(0xd800));
    QTest::newRow("comment lookalikes") << "/* not */ // either";
    QTest::newRow("old-style lookalike") << "{a = (b);}";
}

void TestOpenStepText::stringsSurviveFormatAndParse()
{
    QFETCH(QString, text);
    const QVariant tree = QVariantMap{{text, QVariantList{text, QVariantMap{{"k", text}}}}};
    const Result<QVariant> parsed = OpenStepText::parse(OpenStepText::format(tree));
    QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
    QCOMPARE(*parsed, tree);
}

QTEST_GUILESS_MAIN(TestOpenStepText)
#include "tst_open_step_text.moc"
