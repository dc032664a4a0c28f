#include "FuzzTargets.h"

#include "plist/PropertyList.h"
#include "support/PlistTreeEquality.h"

#include <cmath>

namespace velmora::fuzz {

namespace {

// What XML cannot keep by its nature: dates carry whole seconds (the fraction is cut toward the
// reference date, as libplist and the system write them) and libplist writes -0.0 as 0.0.
QVariant asXmlKeepsIt(const QVariant &v)
{
    if (isDateVariant(v))
        return dateVariantFromSeconds(std::trunc(*plistSecondsOf(v)));
    if (v.typeId() == QMetaType::Double && v.toDouble() == 0.0)
        return QVariant(0.0);
    if (v.typeId() == QMetaType::QVariantList) {
        QVariantList list = v.toList();
        for (QVariant &item : list)
            item = asXmlKeepsIt(item);
        return list;
    }
    if (v.typeId() == QMetaType::QVariantMap) {
        QVariantMap map = v.toMap();
        for (QVariant &item : map)
            item = asXmlKeepsIt(item);
        return map;
    }
    return v;
}

void checkRoundTrip(QVariant tree, PropertyList::Format format, const char *formatName)
{
    const Result<QByteArray> written = PropertyList::serialize(tree, format);
    // XML cannot carry some text (U+0000, most control characters) nor dates beyond the years 1 to
    // 9999: a clear refusal is the promise there. Binary carries everything it reads.
    if (!written && format == PropertyList::Format::xml &&
        written.error().contains(QLatin1String("an XML property list can")))
        return;
    if (format == PropertyList::Format::xml)
        tree = asXmlKeepsIt(tree);
    if (!written) {
        const QByteArray message = QStringLiteral("a parsed tree could not be written as %1: %2")
                                       .arg(QLatin1String(formatName), written.error())
                                       .toUtf8();
        fuzzFailure("plist_roundtrip", message.constData());
    }
    const Result<QVariant> reread = PropertyList::parse(*written);
    if (!reread) {
        const QByteArray message = QStringLiteral("the %1 written for a parsed tree does not parse: %2")
                                       .arg(QLatin1String(formatName), reread.error())
                                       .toUtf8();
        fuzzFailure("plist_roundtrip", message.constData());
    }
    QString difference;
    if (!test::sameTree(tree, *reread, &difference)) {
        const QByteArray message = QStringLiteral("written as %1 and read back, %2")
                                       .arg(QLatin1String(formatName), difference)
                                       .toUtf8();
        fuzzFailure("plist_roundtrip", message.constData());
    }
}

} // namespace

int fuzzPropertyList(const uint8_t *data, size_t size)
{
    const QByteArray bytes = inputBytes(data, size);
    const Result<QVariant> tree = PropertyList::parse(bytes);
    // The scan's reader of a few names takes a shorter way through XML: it must refuse what the whole
    // read refuses and find the same texts in what it accepts.
    const QStringList keys{QStringLiteral("CFBundleName"), QStringLiteral("CFBundleIdentifier"),
                           QStringLiteral("CFBundleDisplayName"), QStringLiteral("a")};
    const Result<QHash<QString, QString>> texts = PropertyList::parseTexts(bytes, keys);
    const bool dictionary = tree && tree->typeId() == QMetaType::QVariantMap;
    if (bool(texts) != dictionary)
        fuzzFailure("plist", texts ? "the texts' reader accepts what the whole read refuses"
                                   : "the texts' reader refuses a dictionary the whole read accepts");
    if (texts) {
        const QVariantMap map = tree->toMap();
        for (const QString &key : keys) {
            const QVariant value = map.value(key);
            const bool text = value.typeId() == QMetaType::QString;
            if (texts->contains(key) != text || (text && texts->value(key) != value.toString()))
                fuzzFailure("plist", "the texts' reader and the whole read disagree on a text");
        }
    }
    return 0;
}

int fuzzPropertyListRoundTrip(const uint8_t *data, size_t size)
{
    const Result<QVariant> tree = PropertyList::parse(inputBytes(data, size));
    if (!tree)
        return 0;
    checkRoundTrip(*tree, PropertyList::Format::xml, "XML");
    checkRoundTrip(*tree, PropertyList::Format::binary, "binary");
    return 0;
}

} // namespace velmora::fuzz
