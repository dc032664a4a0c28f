#include "FuzzTargets.h"
#include "PlistTreeEquality.h"

#include "preferences/PropertyList.h"

namespace velmora::fuzz {

namespace {

void checkRoundTrip(const QVariant &tree, PropertyList::Format format, const char *formatName)
{
    const Result<QByteArray> written = PropertyList::serialize(tree, format);
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
    if (!sameTree(tree, *reread, &difference)) {
        const QByteArray message = QStringLiteral("written as %1 and read back, %2")
                                       .arg(QLatin1String(formatName), difference)
                                       .toUtf8();
        fuzzFailure("plist_roundtrip", message.constData());
    }
}

} // namespace

int fuzzPropertyList(const uint8_t *data, size_t size)
{
    (void)PropertyList::parse(inputBytes(data, size));
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
