#include "HostileFiles.h"

#include <QList>

namespace velmora::test {

namespace {

void appendBigEndian(QByteArray &out, quint64 v, int width)
{
    for (int i = width - 1; i >= 0; --i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// Wraps objects (already encoded, with references `refWidth` bytes wide) into a whole file.
QByteArray binaryFile(const QList<QByteArray> &objects, int refWidth)
{
    QByteArray out("bplist00");
    QList<quint64> offsets;
    for (const QByteArray &object : objects) {
        offsets.append(quint64(out.size()));
        out.append(object);
    }
    const quint64 table = quint64(out.size());
    for (quint64 offset : offsets)
        appendBigEndian(out, offset, 4);
    out.append(QByteArray(6, '\0'));
    out.append(char(4));
    out.append(char(refWidth));
    appendBigEndian(out, quint64(objects.size()), 8);
    appendBigEndian(out, 0, 8);
    appendBigEndian(out, table, 8);
    return out;
}

} // namespace

QByteArray deeplyNestedXml(int levels)
{
    QByteArray xml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n");
    xml.reserve(xml.size() + qsizetype(levels) * 15 + 16);
    for (int i = 0; i < levels; ++i)
        xml.append("<array>");
    for (int i = 0; i < levels; ++i)
        xml.append("</array>");
    xml.append("\n</plist>\n");
    return xml;
}

QByteArray deeplyNestedBinary(int levels)
{
    QList<QByteArray> objects;
    objects.reserve(levels);
    for (int i = 0; i < levels; ++i) {
        QByteArray array;
        if (i + 1 < levels) {
            array.append(char(0xA1));
            appendBigEndian(array, quint64(i + 1), 4);
        } else {
            array.append(char(0xA0));
        }
        objects.append(array);
    }
    return binaryFile(objects, 4);
}

QByteArray binaryWithNulInKey()
{
    QByteArray dictionary;
    dictionary.append(char(0xD1));           // one pair
    dictionary.append(char(1));              // key: object 1
    dictionary.append(char(2));              // value: object 2
    const QByteArray key("\x52\x61\x00", 3); // ASCII string of two: 'a', NUL
    const QByteArray value("\x09", 1);       // true
    QByteArray out("bplist00");
    out.append(dictionary);
    out.append(key);
    out.append(value);
    const char offsets[] = {8, 11, 14};
    const quint64 table = quint64(out.size());
    out.append(offsets, 3);
    out.append(QByteArray(6, '\0'));
    out.append(char(1));
    out.append(char(1));
    appendBigEndian(out, 3, 8);
    appendBigEndian(out, 0, 8);
    appendBigEndian(out, table, 8);
    return out;
}

QByteArray binaryOfSharedContainers(int levels, int width)
{
    QList<QByteArray> objects;
    for (int i = 0; i < levels; ++i) {
        QByteArray array;
        if (i + 1 < levels) {
            array.append(char(0xAF));
            array.append(char(0x11));
            appendBigEndian(array, quint64(width), 2);
            for (int w = 0; w < width; ++w)
                appendBigEndian(array, quint64(i + 1), 2);
        } else {
            array.append(char(0x09)); // true at the bottom
        }
        objects.append(array);
    }
    return binaryFile(objects, 2);
}

} // namespace velmora::test
