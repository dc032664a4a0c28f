// The property-list codec against hostile and unusual files: what it refuses, and what it keeps to
// the last bit when a file is read and written back.

#include "common/Utf8Text.h"
#include "plist/PropertyList.h"
#include "support/HostileFiles.h"
#include "support/PlistTreeEquality.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QPoint>
#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

namespace {

using Format = PropertyList::Format;

QVariant date(int year, int month, int day, int ms = 0)
{
    return QDateTime(QDate(year, month, day), QTime(0, 0), Qt::UTC).addMSecs(ms);
}

QVariant exactDate(double seconds)
{
    return QVariant::fromValue(PlistDate{seconds});
}

// One value of every kind a property list holds, nested as a domain nests them.
QVariantMap everyKindOfValue()
{
    return QVariantMap{
        {"bool", true},
        {"int", qint64(48)},
        {"negative", qint64(-3000000000)},
        {"int64 max", std::numeric_limits<qint64>::max()},
        {"above int64", QVariant::fromValue(std::numeric_limits<quint64>::max())},
        {"real", 0.1},
        {"whole real", 2.0},
        {"empty", QString()},
        {"date", QDateTime(QDate(2026, 12, 5), QTime(14, 30, 15), Qt::UTC)},
        {"data", QByteArray("\x00\x01\xfe\xff", 4)},
        {"array", QVariantList{qint64(1), "two", QVariantList{}, QVariantMap{}}},
        {"dict", QVariantMap{{"tile-data", QVariantMap{{"file-type", qint64(41)}}}}},
        {"uid", QVariant::fromValue(PlistUid{7})},
    };
}

// The tree with every Utf8Text widened to the QString it stands for.
QVariant widened(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<Utf8Text>())
        return QString::fromUtf8(value.value<Utf8Text>().utf8);
    if (value.typeId() == QMetaType::QVariantMap) {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            *it = widened(*it);
        return map;
    }
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList list = value.toList();
        for (QVariant &item : list)
            item = widened(item);
        return list;
    }
    return value;
}

int utf8TextsIn(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<Utf8Text>())
        return 1;
    int count = 0;
    if (value.typeId() == QMetaType::QVariantMap || value.typeId() == QMetaType::QVariantList) {
        for (const QVariant &item :
             value.typeId() == QMetaType::QVariantMap ? value.toMap().values() : value.toList())
            count += utf8TextsIn(item);
    }
    return count;
}

QVariant utf8(const QByteArray &text)
{
    return QVariant::fromValue(Utf8Text{text});
}

// The seconds a file holds for a value read from it, whichever form the reader chose.
double secondsOf(const QVariant &v)
{
    return plistSecondsOf(v).value_or(std::nan(""));
}

} // namespace

class TestPropertyList : public QObject {
    Q_OBJECT

private slots:
    void hostileInputIsRefused_data();
    void hostileInputIsRefused();
    void nestingUpToTheLimitIsRead_data();
    void nestingUpToTheLimitIsRead();
    void textsAreReadAsTheWholeTreeHasThem_data();
    void textsAreReadAsTheWholeTreeHasThem();
    void textsRefuseWhatTheWholeReadRefuses_data();
    void textsRefuseWhatTheWholeReadRefuses();
    void valuesSurviveARewrite_data();
    void valuesSurviveARewrite();
    void datesReadAsTheFileHoldsThem();
    void xmlRefusesWhatItCannotCarry_data();
    void xmlRefusesWhatItCannotCarry();
    void xmlKeepsCarriageReturnsAndTabs();
    void longTextsAreWrittenBesideTheDocument_data();
    void longTextsAreWrittenBesideTheDocument();
    void longTextsReadAsTheOrdinaryReaderReadsThem_data();
    void longTextsReadAsTheOrdinaryReaderReadsThem();
    void writerRefusesWhatTheReaderWould();
    void xmlUidDictionariesBecomeUids();
    void nonRegularFilesAreRefused();
    void aFailedWriteLeavesTheFileAsItWas();
};

void TestPropertyList::hostileInputIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("XML nested 300,000 deep") << deeplyNestedXml(300000) << "nested too deeply";
    QTest::newRow("binary chain 150,000 deep") << deeplyNestedBinary(150000) << "nested too deeply";
    QTest::newRow("binary NUL in a key") << binaryWithNulInKey() << "NUL";
    QTest::newRow("XML NUL byte") << QByteArray("<plist><dict><key>a\0b</key><true/></dict></plist>", 48)
                                  << "NUL";
    QTest::newRow("XML NUL reference")
        << QByteArray("<plist><dict><key>a&#0;</key><true/></dict></plist>") << "damaged";
    QTest::newRow("shared containers") << binaryOfSharedContainers(40, 16) << "more values";
    QTest::newRow("XML not UTF-8") << QByteArray("<plist><string>caf\xe9</string></plist>") << "not UTF-8";
    QTest::newRow("XML not a property list")
        << QByteArray("<?xml version=\"1.0\"?><html><body/></html>") << "damaged";
    QTest::newRow("plain text") << QByteArray("autohide = 1;") << "not well-formed";
    QTest::newRow("empty") << QByteArray() << "empty";
    const QByteArray good = *PropertyList::serialize(everyKindOfValue(), Format::binary);
    const QByteArray goodXml = *PropertyList::serialize(everyKindOfValue(), Format::xml);
    QTest::newRow("binary cut in half") << good.left(good.size() / 2) << "damaged";
    QTest::newRow("binary without trailer") << good.left(good.size() - 32) << "damaged";
    QTest::newRow("binary header only") << QByteArray("bplist00") << "damaged";
    QTest::newRow("XML cut in half") << goodXml.left(goodXml.size() / 2) << "damaged";
    QByteArray flipped = good;
    flipped[flipped.size() - 10] = char(0x7f); // offset table pointing elsewhere
    QTest::newRow("binary with damaged trailer") << flipped << "damaged";

    // The middle array of a three-level chain made to hold itself.
    QByteArray cycle = deeplyNestedBinary(3);
    const qsizetype middle = 8 + 5; // after the magic and the first array (marker, 4-byte reference)
    cycle[middle + 4] = char(1);
    QTest::newRow("binary container holding itself") << cycle << "holds itself";

    // The magic, one integer of 16 bytes (2^64), the offset table, and the trailer (fromHex skips the
    // spaces).
    const QByteArray wideInteger =
        QByteArray::fromHex("62706c6973743030 14 00000000000000 01 0000000000000000 08 "
                            "000000000000 01 01 0000000000000001 0000000000000000 "
                            "0000000000000019");
    QTest::newRow("integer wider than 64 bits") << wideInteger << "wider than 64 bits";

    QByteArray badOffset = deeplyNestedBinary(2);
    badOffset[badOffset.size() - 32 - 8 + 3] = char(0x7f); // the first entry of the offset table
    QTest::newRow("offset past the objects") << badOffset << "outside the file";

    QByteArray newerFormat = deeplyNestedBinary(2);
    newerFormat.replace(0, 8, "bplist15");
    QTest::newRow("other binary version") << newerFormat << "bplist00";
}

void TestPropertyList::hostileInputIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QElapsedTimer clock;
    clock.start();
    const Result<QVariant> parsed = PropertyList::parse(bytes);
    QVERIFY(!parsed.ok());
    QVERIFY2(parsed.error().contains(reason), qPrintable(parsed.error()));
    QVERIFY2(bytes.isEmpty() || parsed.error().contains("damaged"), qPrintable(parsed.error()));
    // Refused quickly, not after walking everything the file pretends to hold.
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

void TestPropertyList::nestingUpToTheLimitIsRead_data()
{
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("readable");
    QTest::newRow("binary at the limit") << 257 << true;
    QTest::newRow("binary past the limit") << 258 << false;
}

void TestPropertyList::nestingUpToTheLimitIsRead()
{
    QFETCH(int, levels);
    QFETCH(bool, readable);
    // The same limit holds for both formats, and for writing.
    QCOMPARE(PropertyList::parse(deeplyNestedBinary(levels)).ok(), readable);
    QCOMPARE(PropertyList::parse(deeplyNestedXml(levels)).ok(), readable);
    QVariant nested = QVariantList();
    for (int i = 1; i < levels; ++i)
        nested = QVariantList{nested};
    QCOMPARE(PropertyList::serialize(nested, Format::binary).ok(), readable);
}

void TestPropertyList::textsAreReadAsTheWholeTreeHasThem_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QVariantMap info{{"CFBundleName", QString::fromUtf8("Caf\xc3\xa9 \xf0\x9f\x8d\xb0")},
                           {"CFBundleIdentifier", "com.example.cafe"},
                           {"CFBundleDisplayName", ""},
                           {"CFBundleVersion", qint64(12)},
                           {"LSItems", QVariantList{"a", QVariantMap{{"CFBundleName", "inner"}}}}};
    QTest::newRow("binary") << *PropertyList::serialize(info, Format::binary);
    QTest::newRow("XML") << *PropertyList::serialize(info, Format::xml);
    QTest::newRow("XML with character references")
        << QByteArray("<plist><dict><key>CFBundleName</key><string>A &#38; B &#x263A;</string>"
                      "<key>CFBundleIdentifier</key><string>x&amp;y</string></dict></plist>");
    QTest::newRow("XML, a name that is not text")
        << QByteArray("<plist><dict><key>CFBundleName</key><integer>4</integer>"
                      "<key>CFBundleDisplayName</key><array><string>no</string></array></dict></plist>");
    QTest::newRow("XML, an empty dictionary") << QByteArray("<plist><dict/></plist>");
    QTest::newRow("every kind of value") << *PropertyList::serialize(everyKindOfValue(), Format::xml);
}

void TestPropertyList::textsAreReadAsTheWholeTreeHasThem()
{
    QFETCH(QByteArray, bytes);
    const QStringList keys{
        "CFBundleName", "CFBundleIdentifier", "CFBundleDisplayName", "CFBundleVersion", "LSItems", "missing"};
    const Result<QVariant> whole = PropertyList::parse(bytes);
    QVERIFY2(whole.ok(), qPrintable(whole.error()));
    QHash<QString, QString> expected;
    for (const QString &key : keys) {
        const QVariant value = whole->toMap().value(key);
        if (value.typeId() == QMetaType::QString)
            expected.insert(key, value.toString());
    }
    const Result<QHash<QString, QString>> texts = PropertyList::parseTexts(bytes, keys);
    QVERIFY2(texts.ok(), qPrintable(texts.error()));
    QCOMPARE(*texts, expected);
}

void TestPropertyList::textsRefuseWhatTheWholeReadRefuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::newRow("XML nested 300,000 deep") << deeplyNestedXml(300000) << false;
    QTest::newRow("binary chain 150,000 deep") << deeplyNestedBinary(150000) << false;
    // The deepest levels the whole read takes, and one more, inside a dictionary as an Info.plist
    // would hold them.
    const auto inDictionary = [](int levels) {
        QByteArray nested = deeplyNestedXml(levels - 1);
        nested.replace("<plist version=\"1.0\">", "<plist version=\"1.0\"><dict><key>CFBundleName</key>"
                                                  "<string>n</string><key>deep</key>");
        nested.replace("</plist>", "</dict></plist>");
        return nested;
    };
    QTest::newRow("XML dictionary at the limit") << inDictionary(257) << true;
    QTest::newRow("XML dictionary past the limit") << inDictionary(258) << false;
    QTest::newRow("binary NUL in a key") << binaryWithNulInKey() << false;
    QTest::newRow("XML NUL byte") << QByteArray("<plist><dict><key>a\0b</key><true/></dict></plist>", 48)
                                  << false;
    QTest::newRow("XML NUL reference in a nested key")
        << QByteArray("<plist><dict><key>CFBundleName</key><string>n</string><key>d</key>"
                      "<dict><key>a&#0;</key><true/></dict></dict></plist>")
        << false;
    QTest::newRow("shared containers") << binaryOfSharedContainers(40, 16) << false;
    QTest::newRow("XML not UTF-8") << QByteArray("<plist><dict><key>caf\xe9</key><true/></dict></plist>")
                                   << false;
    QTest::newRow("XML not a property list")
        << QByteArray("<?xml version=\"1.0\"?><html><body/></html>") << false;
    QTest::newRow("plain text") << QByteArray("autohide = 1;") << false;
    QTest::newRow("empty") << QByteArray() << false;
    const QByteArray goodXml = *PropertyList::serialize(everyKindOfValue(), Format::xml);
    QTest::newRow("XML cut in half") << goodXml.left(goodXml.size() / 2) << false;
    QTest::newRow("XML array") << QByteArray("<plist><array><string>a</string></array></plist>") << false;
    QTest::newRow("binary text") << *PropertyList::serialize(QString("a"), Format::binary) << false;
}

void TestPropertyList::textsRefuseWhatTheWholeReadRefuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    const Result<QVariant> whole = PropertyList::parse(bytes);
    QCOMPARE(whole.ok() && whole->typeId() == QMetaType::QVariantMap, readable);
    const Result<QHash<QString, QString>> texts = PropertyList::parseTexts(bytes, {"CFBundleName"});
    QCOMPARE(texts.ok(), readable);
    if (readable)
        QCOMPARE(texts->value("CFBundleName"), QStringLiteral("n"));
    else
        QVERIFY(!texts.error().isEmpty());
}

void TestPropertyList::valuesSurviveARewrite_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("xmlToo");
    // The system's "distant future" and "distant past", beyond 32-bit seconds either way.
    QTest::newRow("4001-01-01") << date(4001, 1, 1) << true;
    QTest::newRow("0001-01-01") << date(1, 1, 1) << true;
    QTest::newRow("1901-12-13, below 32 bits") << date(1901, 12, 13) << true;
    // Before the reference date, with a fraction: a sign lost on the fraction drifts the date.
    QTest::newRow("1999-06-30 with 250 ms") << date(1999, 6, 30, 250) << false;
    // Microseconds, as the system writes "last checked" stamps.
    QTest::newRow("microseconds") << exactDate(671142925.521213) << false;
    QTest::newRow("microseconds before 2001") << exactDate(-12345.678901) << false;
    QTest::newRow("NaN date") << exactDate(std::nan("")) << false;
    QTest::newRow("NUL inside text") << QVariant(QString::fromUtf8("\xc3\xa9\0b", 4)) << false;
    QTest::newRow("text ending in NUL") << QVariant(QString(QChar(0))) << false;
    QTest::newRow("astral and accents") << QVariant(QString::fromUtf16(u"Expos\u00e9 \U0001F310")) << true;
    QTest::newRow("lone surrogate") << QVariant(QString(QChar(0xD800))) << false;
    QTest::newRow("Latin-1 only") << QVariant(QString::fromUtf16(u"caf\u00e9")) << true;
    QTest::newRow("long text") << QVariant(QString(70000, QChar(u'x'))) << true;
    QTest::newRow("NaN real") << QVariant(std::nan("")) << true;
    QTest::newRow("negative zero") << QVariant(-0.0) << false; // libplist writes it as 0.0 in XML
    QTest::newRow("smallest subnormal") << QVariant(std::numeric_limits<double>::denorm_min()) << true;
    QTest::newRow("int64 min") << QVariant(std::numeric_limits<qint64>::min()) << true;
    QTest::newRow("every kind, nested") << QVariant(everyKindOfValue()) << true;
    QTest::newRow("2^63") << QVariant::fromValue(quint64(1) << 63) << true;
    QTest::newRow("largest UID") << QVariant::fromValue(PlistUid{0xFFFFFFFFULL}) << true;
    QTest::newRow("empty data") << QVariant(QByteArray()) << true;
    QVariantList many;
    for (int i = 0; i < 300; ++i)
        many.append(qint64(i % 7)); // more than 255 objects, shared scalars
    QTest::newRow("300 values, two-byte references") << QVariant(many) << true;
}

void TestPropertyList::valuesSurviveARewrite()
{
    QFETCH(QVariant, value);
    QFETCH(bool, xmlToo);
    const QVariantMap domain{{"value", value}, {"other", qint64(1)}};
    QList<Format> formats{Format::binary};
    if (xmlToo)
        formats.append(Format::xml);
    for (Format format : formats) {
        // Read, change another key, write: ten times over, as a domain sees unrelated writes.
        QByteArray bytes = *PropertyList::serialize(domain, format);
        QCOMPARE(bytes.startsWith("bplist00"), format == Format::binary);
        for (int round = 0; round < 10; ++round) {
            Result<QVariant> read = PropertyList::parse(bytes);
            QVERIFY2(read.ok(), qPrintable(read.error()));
            QVariantMap map = read->toMap();
            map.insert("other", qint64(round));
            const Result<QByteArray> written = PropertyList::serialize(map, format);
            QVERIFY2(written.ok(), qPrintable(written.error()));
            bytes = *written;
        }
        const QVariant back = PropertyList::parse(bytes)->toMap().value("value");
        if (isDateVariant(value)) {
            const double expected = secondsOf(value);
            const double actual = secondsOf(back);
            QVERIFY2(
                std::memcmp(&expected, &actual, sizeof expected) == 0 ||
                    (std::isnan(expected) && std::isnan(actual)),
                qPrintable(QStringLiteral("%1 became %2").arg(expected, 0, 'f', 6).arg(actual, 0, 'f', 6)));
        } else {
            // Same kind to the last bit: a whole real stays a real, a big unsigned stays unsigned.
            COMPARE_TREE(back, value);
        }
    }
}

void TestPropertyList::datesReadAsTheFileHoldsThem()
{
    // What this program writes falls on whole milliseconds and comes back as a QDateTime; finer
    // dates come back exact, and still read as dates.
    const QVariantMap written{{"ms", date(2026, 12, 7, 123)}, {"us", exactDate(0.000001)}};
    const QVariantMap back = PropertyList::parse(*PropertyList::serialize(written, Format::binary))->toMap();
    QCOMPARE(back["ms"].typeId(), int(QMetaType::QDateTime));
    QCOMPARE(back["ms"], written["ms"]);
    QVERIFY(isDateVariant(back["us"]));
    QCOMPARE(back["us"].toDateTime(), QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));
}

void TestPropertyList::xmlRefusesWhatItCannotCarry_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("U+0001 in text") << QVariant(QString::fromUtf8("a\x01"
                                                                  "b"))
                                    << "U+0001";
    QTest::newRow("NUL in text") << QVariant(QString(QChar(0))) << "U+0000";
    QTest::newRow("U+FFFF") << QVariant(QString(QChar(0xFFFF))) << "U+FFFF";
    QTest::newRow("lone surrogate") << QVariant(QString(QChar(0xDC00))) << "U+DC00";
    QTest::newRow("in a key") << QVariant(QVariantMap{{QString::fromUtf8("k\x1f"), 1}}) << "U+001F";
    QTest::newRow("deep in an array")
        << QVariant(QVariantList{QVariantList{QString::fromUtf8("\x0b")}}) << "U+000B";
    // XML dates have four-digit years and no room for a date that is not a number.
    QTest::newRow("NaN date") << exactDate(std::nan("")) << "years 1 to 9999";
    QTest::newRow("year 12000") << exactDate(3.2e11) << "years 1 to 9999";
}

void TestPropertyList::xmlRefusesWhatItCannotCarry()
{
    QFETCH(QVariant, value);
    QFETCH(QString, named);
    const Result<QByteArray> xml = PropertyList::serialize(QVariantMap{{"key", value}}, Format::xml);
    QVERIFY(!xml.ok());
    QVERIFY2(xml.error().contains(named), qPrintable(xml.error()));
    QVERIFY2(xml.error().contains("XML"), qPrintable(xml.error()));
    // Binary carries every code point.
    QVERIFY(PropertyList::serialize(QVariantMap{{"key", value}}, Format::binary).ok());
}

void TestPropertyList::xmlKeepsCarriageReturnsAndTabs()
{
    const QString text = QStringLiteral("a\r\nb\rc\td\n");
    const QByteArray xml = *PropertyList::serialize(QVariantMap{{"t", text}}, Format::xml);
    // A raw carriage return would turn into a line feed in any other XML reader.
    QVERIFY(!xml.contains('\r'));
    QVERIFY(xml.contains("&#13;"));
    QCOMPARE(PropertyList::parse(xml)->toMap().value("t").toString(), text);
}

void TestPropertyList::longTextsAreWrittenBesideTheDocument_data()
{
    QTest::addColumn<QVariant>("tree");
    QTest::addColumn<int>("beside"); // texts written as pieces of their own
    const QByteArray base64 = QByteArray(200'000, 'Q') + "+/=";
    QTest::newRow("one long text") << QVariant(QVariantMap{{"k", utf8(base64)}, {"n", qint64(1)}}) << 1;
    QTest::newRow("quotes and apostrophes") << QVariant(QVariantMap{{"k", utf8("{\"a\":'b'}")}}) << 1;
    QTest::newRow("in an array, twice the same")
        << QVariant(QVariantMap{{"a", QVariantList{utf8(base64), "x", utf8(base64)}}}) << 2;
    QTest::newRow("markup is escaped in the document") << QVariant(QVariantMap{{"k", utf8("a<b&c>d")}}) << 0;
    QTest::newRow("a carriage return becomes a reference")
        << QVariant(QVariantMap{{"k", utf8("a\r\nb")}}) << 0;
    QTest::newRow("beyond ASCII") << QVariant(QVariantMap{{"k", utf8("caf\xc3\xa9")}}) << 0;
    QTest::newRow("the token's own shape is only a text")
        << QVariant(QVariantMap{{"k", utf8("velmora-long-text-0")}, {"t", "velmora-long-text-0"}}) << 1;
}

void TestPropertyList::longTextsAreWrittenBesideTheDocument()
{
    QFETCH(QVariant, tree);
    QFETCH(int, beside);
    // The pieces join into exactly what the whole tree is written as, held as QStrings.
    const Result<QByteArray> whole = PropertyList::serialize(widened(tree), Format::xml);
    QVERIFY(whole);
    const Result<QList<QByteArray>> pieces = PropertyList::serializeXmlPieces(tree);
    QVERIFY2(pieces, qPrintable(pieces.error()));
    QVERIFY(pieces->join() == *whole);
    QCOMPARE(pieces->size(), 1 + 2 * beside);
    // A text beside the document is the very buffer of the value, not a copy.
    QList<const char *> buffers;
    const std::function<void(const QVariant &)> collect = [&](const QVariant &v) {
        if (v.metaType() == QMetaType::fromType<Utf8Text>())
            buffers.append(v.value<Utf8Text>().utf8.constData());
        else if (v.typeId() == QMetaType::QVariantMap || v.typeId() == QMetaType::QVariantList)
            for (const QVariant &item :
                 v.typeId() == QMetaType::QVariantMap ? v.toMap().values() : v.toList())
                collect(item);
    };
    collect(tree);
    for (int i = 0; i < beside; ++i)
        QVERIFY(buffers.contains(pieces->at(1 + 2 * i).constData()));
    // What XML cannot carry is refused as the ordinary writer refuses it.
    QVERIFY(!PropertyList::serializeXmlPieces(QVariantMap{{"k", utf8("a\x01b")}}));
}

void TestPropertyList::longTextsReadAsTheOrdinaryReaderReadsThem_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("heldAsBytes");
    const QByteArray head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC "
        "\"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n";
    const QByteArray longText(PropertyList::longText, 'L');
    const auto doc = [&](const QByteArray &body) { return head + body + "\n</plist>\n"; };
    QTest::newRow("written by libplist")
        << *PropertyList::serialize(QVariantMap{{"a", QString::fromLatin1(longText)}, {"b", "short"}},
                                    Format::xml)
        << 1;
    QTest::newRow("two, in a dictionary and an array")
        << doc("<dict><key>a</key><string>" + longText + "</string><key>b</key><array><string>" + longText +
               "x</string></array></dict>")
        << 2;
    QTest::newRow("one byte short of long")
        << doc("<dict><key>a</key><string>" + longText.chopped(1) + "</string></dict>") << 0;
    QTest::newRow("with an entity") << doc("<dict><key>a</key><string>" + longText + "&amp;</string></dict>")
                                    << 0;
    // A comment or a character data section may hold what looks like a string element.
    QTest::newRow("inside a comment")
        << doc("<dict><!-- <string>" + longText + "</string> --><key>a</key><string>x</string></dict>") << 0;
    QTest::newRow("inside character data")
        << doc("<dict><key>a</key><string><![CDATA[<string>" + longText + "]]></string></dict>") << 0;
    QTest::newRow("a data element") << doc("<dict><key>a</key><data>" + longText + "</data></dict>") << 0;
    QTest::newRow("not a property list") << doc("<dict><key>a</key><string>" + longText + "</dict>") << 0;
}

void TestPropertyList::longTextsReadAsTheOrdinaryReaderReadsThem()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, heldAsBytes);
    const Result<QVariant> ordinary = PropertyList::parse(xml);
    const Result<QVariant> kept = PropertyList::parseKeepingLongTexts(xml);
    QCOMPARE(kept.ok(), ordinary.ok());
    if (!ordinary)
        return;
    COMPARE_TREE(widened(*kept), *ordinary);
    QCOMPARE(utf8TextsIn(*kept), heldAsBytes);
}

void TestPropertyList::writerRefusesWhatTheReaderWould()
{
    const QVariantMap nulKey{{QString::fromUtf8("a\0", 2), true}};
    for (Format format : {Format::binary, Format::xml}) {
        const Result<QByteArray> written = PropertyList::serialize(nulKey, format);
        QVERIFY(!written.ok());
        QVERIFY2(written.error().contains("U+0000"), qPrintable(written.error()));
    }
}

void TestPropertyList::xmlUidDictionariesBecomeUids()
{
    // XML has no UID element; the system writes a dictionary holding only "CF$UID".
    // UIDs are 32-bit: a larger number leaves the dictionary a dictionary, and writing one is refused.
    const QByteArray xml = "<plist version=\"1.0\"><array><dict><key>CF$UID</key><integer>7</integer></dict>"
                           "<dict><key>CF$UID</key><string>x</string></dict>"
                           "<dict><key>CF$UID</key><integer>4294967296</integer></dict></array></plist>";
    const QVariantList back = PropertyList::parse(xml)->toList();
    QCOMPARE(back.value(0).value<PlistUid>().value, quint64(7));
    QCOMPARE(back.value(1).typeId(), int(QMetaType::QVariantMap));
    QCOMPARE(back.value(2).typeId(), int(QMetaType::QVariantMap));
    QVERIFY(PropertyList::serialize(back, Format::xml).ok());
    QVERIFY(!PropertyList::serialize(QVariant::fromValue(PlistUid{quint64(1) << 32}), Format::binary).ok());
    // A binary dictionary of that shape stays a dictionary.
    const QVariantMap shaped{{"CF$UID", qint64(7)}};
    QCOMPARE(PropertyList::parse(*PropertyList::serialize(shaped, Format::binary))->typeId(),
             int(QMetaType::QVariantMap));
}

void TestPropertyList::nonRegularFilesAreRefused()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("com.apple.dock.plist");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    QElapsedTimer clock;
    clock.start();
    const Result<QVariant> read = PropertyList::readFile(fifo);
    QVERIFY(!read.ok());
    QVERIFY2(read.error().contains("not a regular file"), qPrintable(read.error()));
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(PropertyList::readFile(dir.path()).error().contains("folder"));
    QVERIFY(PropertyList::readFile("/dev/zero").error().contains("not a regular file"));
    QVERIFY(!PropertyList::readFile(dir.filePath("missing.plist")).ok());
}

void TestPropertyList::aFailedWriteLeavesTheFileAsItWas()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.plist");
    QVERIFY(PropertyList::writeFile(path, QVariantMap{{"a", 1}}, Format::binary).ok());
    // A value a property list cannot hold: refused, the file and its folder as they were.
    QVERIFY(
        !PropertyList::writeFile(path, QVariantMap{{"a", QVariant::fromValue(QPoint(1, 2))}}, Format::binary)
             .ok());
    COMPARE_TREE(*PropertyList::readFile(path), QVariant(QVariantMap{{"a", qint64(1)}}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.plist"});
    // Writing over a folder fails rather than replacing it.
    QVERIFY(!PropertyList::writeFile(dir.path(), QVariantMap(), Format::xml).ok());
    QVERIFY(QFileInfo(dir.path()).isDir());
}

QTEST_GUILESS_MAIN(TestPropertyList)
#include "tst_property_list.moc"
