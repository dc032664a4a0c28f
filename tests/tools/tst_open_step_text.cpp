// Old-style property-list text: the layout `defaults read` prints, the descriptions of single
// values, and the parser behind untyped `defaults write` values.

#include "preferences/OpenStepText.h"

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

} // namespace

class TestOpenStepText : public QObject {
    Q_OBJECT

private slots:
    void formatsNestedDockLikeDictionary();
    void formatsScalars_data();
    void formatsScalars();
    void describe_data();
    void describe();
    void realDefaultsReadOutputRoundTrips();
    void parse_data();
    void parse();
    void parseErrors_data();
    void parseErrors();
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
             {"bundle-identifier", "com.googlecode.iterm2"},
             {"file-data", QVariantMap{{"_CFURLString", "file:///Applications/iTerm.app/"},
                                       {"_CFURLStringType", i64(15)}}},
             {"file-label", "iTerm"},
         }},
    };
    const QVariantMap dock{
        {"orientation", "bottom"},
        {"mod-count", i64(42)},
        {"autohide-time-modifier", 0.5},
        {"loc", "en_GB"},
        {"persistent-apps", QVariantList{tile}},
        {"persistent-others", QVariantList()},
        {"dock-extras", QVariantMap()},
        {"region", "SG"},
        {"autohide", true},
    };

    const QString expected = QStringLiteral(R"({
    autohide = 1;
    "autohide-time-modifier" = "0.5";
    "dock-extras" =     {
    };
    loc = "en_GB";
    "mod-count" = 42;
    orientation = bottom;
    "persistent-apps" =     (
                {
            GUID = 1575166304;
            "tile-data" =             {
                book = <626f6f6b d8020000 00>;
                "bundle-identifier" = "com.googlecode.iterm2";
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
    region = SG;
})");
    QCOMPARE(OpenStepText::format(dock), expected);
}

void TestOpenStepText::formatsScalars_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain word") << QVariant("bottom") << "bottom";
    QTest::newRow("mixed case") << QVariant("iTerm") << "iTerm";
    QTest::newRow("hyphen") << QVariant("tile-data") << "\"tile-data\"";
    QTest::newRow("underscore") << QVariant("en_GB") << "\"en_GB\"";
    QTest::newRow("digits with dot") << QVariant("0.5") << "\"0.5\"";
    QTest::newRow("empty") << QVariant(QString("")) << "\"\"";
    QTest::newRow("quote") << QVariant("a\"b") << "\"a\\\"b\"";
    QTest::newRow("backslash") << QVariant("a\\b") << "\"a\\\\b\"";
    QTest::newRow("newline and tab") << QVariant("a\nb\tc") << "\"a\\nb\\tc\"";
    QTest::newRow("control") << QVariant(QString(QChar(1))) << "\"\\U0001\"";
    QTest::newRow("accent") << QVariant("Exposé") << "\"Expos\\U00e9\"";
    QTest::newRow("outside the BMP") << QVariant("🌐") << "\"\\Ud83c\\Udf10\"";
    QTest::newRow("true") << QVariant(true) << "1";
    QTest::newRow("false") << QVariant(false) << "0";
    QTest::newRow("integer") << i64(42) << "42";
    QTest::newRow("negative integer") << i64(-5) << "\"-5\"";
    QTest::newRow("whole real") << QVariant(2.0) << "2";
    QTest::newRow("fraction") << QVariant(0.5) << "\"0.5\"";
    QTest::newRow("large real") << QVariant(1e20) << "\"1e+20\"";
    QTest::newRow("date") << QVariant(utc(2024, 1, 2, 3, 4, 5)) << "\"2024-01-02 03:04:05 +0000\"";
    QTest::newRow("data") << QVariant(QByteArray::fromHex("0a0b0c0d0e0f")) << "<0a0b0c0d 0e0f>";
    QTest::newRow("data of whole groups")
        << QVariant(QByteArray::fromHex("0a0b0c0d0e0f1011")) << "<0a0b0c0d 0e0f1011>";
    QTest::newRow("empty data") << QVariant(QByteArray()) << "<>";
    QTest::newRow("empty array") << QVariant(QVariantList()) << "(\n)";
    QTest::newRow("empty dictionary") << QVariant(QVariantMap()) << "{\n}";
    QTest::newRow("array") << QVariant(QVariantList{"a", "b c"}) << "(\n    a,\n    \"b c\"\n)";
    QTest::newRow("string list") << QVariant(QStringList{"en", "nl"}) << "(\n    en,\n    nl\n)";
}

void TestOpenStepText::formatsScalars()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(OpenStepText::format(value), text);
}

void TestOpenStepText::describe_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("string") << QVariant("two words") << "two words";
    QTest::newRow("string with quotes") << QVariant("say \"hi\"\n") << "say \"hi\"\n";
    QTest::newRow("empty string") << QVariant(QString("")) << "";
    QTest::newRow("true") << QVariant(true) << "1";
    QTest::newRow("false") << QVariant(false) << "0";
    QTest::newRow("int") << QVariant(5) << "5";
    QTest::newRow("negative") << i64(-7) << "-7";
    QTest::newRow("smallest") << i64(std::numeric_limits<qint64>::min()) << "-9223372036854775808";
    QTest::newRow("unsigned") << QVariant::fromValue(std::numeric_limits<quint64>::max())
                              << "18446744073709551615";
    QTest::newRow("whole real") << QVariant(2.0) << "2";
    QTest::newRow("zero") << QVariant(0.0) << "0";
    QTest::newRow("half") << QVariant(0.5) << "0.5";
    QTest::newRow("negative fraction") << QVariant(-0.0625) << "-0.0625";
    QTest::newRow("shortest, not rounded") << QVariant(0.1 + 0.2) << "0.30000000000000004";
    QTest::newRow("long fraction") << QVariant(577985781.54171) << "577985781.54171";
    QTest::newRow("large whole") << QVariant(123456789012345.0) << "123456789012345";
    QTest::newRow("exponent") << QVariant(1e20) << "1e+20";
    QTest::newRow("exponent from 1e16") << QVariant(1e16) << "1e+16";
    QTest::newRow("small") << QVariant(0.0001) << "0.0001";
    QTest::newRow("tiny") << QVariant(1e-5) << "1e-05";
    QTest::newRow("tiny with digits") << QVariant(-1.25e-7) << "-1.25e-07";
    QTest::newRow("not a number") << QVariant(std::nan("")) << "nan";
    QTest::newRow("date") << QVariant(utc(2024, 1, 2, 3, 4, 5)) << "2024-01-02 03:04:05 +0000";
    QTest::newRow("date in another zone")
        << QVariant(QDateTime(QDate(2024, 1, 2), QTime(5, 4, 5), QTimeZone(7200)))
        << "2024-01-02 03:04:05 +0000";
    QTest::newRow("data") << QVariant(QByteArray::fromHex("0a0b0c0d0e")) << "<0a0b0c0d 0e>";
    QTest::newRow("array") << QVariant(QVariantList{"a", true}) << "(\n    a,\n    1\n)";
    QTest::newRow("dictionary") << QVariant(QVariantMap{{"k", "v w"}}) << "{\n    k = \"v w\";\n}";
}

void TestOpenStepText::describe()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(OpenStepText::describe(value), text);
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

    QTest::newRow("word") << "abc" << QVariant("abc");
    QTest::newRow("every unquoted character") << "a_b$c+d/e:f.g-h" << QVariant("a_b$c+d/e:f.g-h");
    QTest::newRow("url") << "http://example.com/a" << QVariant("http://example.com/a");
    QTest::newRow("path") << "/Volumes" << QVariant("/Volumes");
    QTest::newRow("whitespace around") << " \n x \t" << QVariant("x");
    QTest::newRow("escapes") << R"("a\"b\\c\nd\te\rf")" << QVariant("a\"b\\c\nd\te\rf");
    QTest::newRow("unicode escapes") << R"("\U00e9\U2318")" << QVariant("é⌘");
    QTest::newRow("surrogate pair") << R"("\Ud83c\Udf10")" << QVariant("🌐");
    QTest::newRow("short unicode escape") << R"("\U41")" << QVariant("A");
    QTest::newRow("octal") << R"("\101\012")" << QVariant("A\n");
    QTest::newRow("other escape") << R"("\q")" << QVariant("q");
    QTest::newRow("single quotes") << "'a \"b\"'" << QVariant("a \"b\"");
    QTest::newRow("empty quoted") << "\"\"" << QVariant(QString(""));
    QTest::newRow("numbers stay text") << "(1, 0.5, -2)" << QVariant(QVariantList{"1", "0.5", "-2"});
    QTest::newRow("empty array") << "( )" << QVariant(QVariantList());
    QTest::newRow("trailing comma") << "(a, b,)" << QVariant(QVariantList{"a", "b"});
    QTest::newRow("empty dictionary") << "{}" << QVariant(QVariantMap());
    QTest::newRow("no spaces") << "{\"enabled\" = 1;\"name\" = \"X\";}"
                               << QVariant(QVariantMap{{"enabled", "1"}, {"name", "X"}});
    QTest::newRow("last duplicate wins") << "{a = 1; a = 2;}" << QVariant(QVariantMap{{"a", "2"}});
    QTest::newRow("nested") << "{a = (1, {b = c;}); \"d e\" = <00ff>;}"
                            << QVariant(QVariantMap{{"a", QVariantList{"1", QVariantMap{{"b", "c"}}}},
                                                    {"d e", QByteArray("\x00\xff", 2)}});
    QTest::newRow("data with spaces") << "<0a 0b0c\n0D>" << QVariant(QByteArray("\x0a\x0b\x0c\x0d"));
    QTest::newRow("empty data") << "<>" << QVariant(QByteArray());
    QTest::newRow("comments") << "/* c */ ( a, // line\n b /* x */ ) // end"
                              << QVariant(QVariantList{"a", "b"});
}

void TestOpenStepText::parse()
{
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    const Result<QVariant> parsed = OpenStepText::parse(text);
    QVERIFY2(parsed.ok(), qPrintable(parsed.error()));
    QCOMPARE(parsed->typeId(), expected.typeId());
    QCOMPARE(*parsed, expected);
}

void TestOpenStepText::parseErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << ""
                           << "Unexpected end of text";
    QTest::newRow("only a comment") << "// nothing"
                                    << "Unexpected end of text";
    QTest::newRow("open array") << "("
                                << "Unexpected end of text";
    QTest::newRow("unterminated array") << "(a"
                                        << "Unterminated array";
    QTest::newRow("double comma") << "(a,,b)"
                                  << "Unexpected character ','";
    QTest::newRow("missing comma") << "(a b)"
                                   << "Expected ',' or ')'";
    QTest::newRow("missing semicolon") << "{a = 1}"
                                       << "Missing ';'";
    QTest::newRow("missing equals") << "{a 1;}"
                                    << "Missing '='";
    QTest::newRow("array as key") << "{(a) = b;}"
                                  << "Expected a key";
    QTest::newRow("unterminated dictionary") << "{a = b;"
                                             << "Unterminated dictionary";
    QTest::newRow("unterminated string") << "\"abc"
                                         << "Unterminated quoted string";
    QTest::newRow("escape at the end") << "\"abc\\"
                                       << "Unterminated quoted string";
    QTest::newRow("escape without digits") << R"("\Uzz")"
                                           << "\\U without hex digits";
    QTest::newRow("octal out of range") << R"("\777")"
                                        << "Octal escape out of range";
    QTest::newRow("odd data") << "<0a1>"
                              << "odd number of hex digits";
    QTest::newRow("bad data") << "<zz>"
                              << "in data";
    QTest::newRow("unterminated data") << "<0a"
                                       << "Unterminated data";
    QTest::newRow("trailing text") << "a b"
                                   << "after the value";
    QTest::newRow("unterminated comment") << "a /* open"
                                          << "Unterminated comment";
    QTest::newRow("error on a later line") << "(a)\n\n)"
                                           << "line 3";
    QTest::newRow("bad character") << "@"
                                   << "Unexpected character '@'";
    QTest::newRow("control character") << QString("a") + QChar(1) << "character U+0001";
}

void TestOpenStepText::parseErrors()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    const Result<QVariant> parsed = OpenStepText::parse(text);
    QVERIFY(!parsed.ok());
    QVERIFY2(parsed.error().contains(message), qPrintable(parsed.error()));
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
