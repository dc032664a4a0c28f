#include "BinaryPropertyList.h"

#include "PlistDate.h"
#include "PropertyList.h"
#include "common/Utf8Text.h"

#include <QHash>
#include <QList>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace velmora::BinaryPropertyList {

namespace {

// The layout, as the preferences service writes it: the magic "bplist00", the objects, a table of
// each object's offset, and a 32-byte trailer saying how wide offsets and references are, how many
// objects there are, which is the top one and where the table starts. Every object begins with a
// marker byte: its type in the high nibble and its length (or 15, then an integer object holding the
// length) in the low one.
constexpr char kMagic[] = "bplist00";
constexpr qsizetype kMagicSize = 8;
constexpr qsizetype kTrailerSize = 32;

enum Marker : quint8 {
    kSimple = 0x0,
    kInteger = 0x1,
    kReal = 0x2,
    kDate = 0x3,
    kData = 0x4,
    kAsciiString = 0x5,
    kUtf16String = 0x6,
    kUid = 0x8,
    kArray = 0xA,
    kSet = 0xC,
    kDictionary = 0xD,
};

constexpr quint8 kFalse = 0x08;
constexpr qint64 kLargestUid = 0xFFFFFFFF;
constexpr quint8 kTrue = 0x09;

quint64 readBigEndian(const uchar *p, int width)
{
    quint64 v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 8) | p[i];
    return v;
}

QString dictionaryKeyName()
{
    return QStringLiteral("CF$UID");
}

class Reader {
public:
    Reader(const QByteArray &bytes, ReadOptions options)
        : m_data(reinterpret_cast<const uchar *>(bytes.constData())), m_size(quint64(bytes.size())),
          m_options(options)
    {
    }

    Result<QVariant> read()
    {
        if (!readTrailer())
            return failure();
        m_objects.resize(qsizetype(m_count));
        // Without shared containers a file describes at most one value per reference it holds, and
        // every reference takes at least a byte. A file whose values multiply past that shares
        // containers to blow up whoever walks the tree.
        m_budget = 2 * m_size + 1024;
        if (!readObject(m_top, 0))
            return failure();
        return m_objects[qsizetype(m_top)].value;
    }

private:
    enum class State : quint8 { unread, reading, done };
    struct Object {
        QVariant value;
        State state = State::unread;
        int height = 0;         // containers below it
        quint64 valueCount = 1; // values in its tree, itself included
    };

    Result<QVariant> failure() const
    {
        return Result<QVariant>::failure(
            QStringLiteral("not a property list, or a damaged one (%1)").arg(m_error));
    }

    bool fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
        return false;
    }

    bool readTrailer()
    {
        if (m_size < quint64(kMagicSize + 1 + kTrailerSize))
            return fail(QStringLiteral("too short for a binary property list"));
        if (std::memcmp(m_data, kMagic, kMagicSize) != 0)
            return fail(QStringLiteral("a binary format other than \"bplist00\""));
        const uchar *t = m_data + m_size - kTrailerSize;
        m_offsetWidth = t[6];
        m_refWidth = t[7];
        m_count = readBigEndian(t + 8, 8);
        m_top = readBigEndian(t + 16, 8);
        m_tableOffset = readBigEndian(t + 24, 8);
        if (m_offsetWidth < 1 || m_offsetWidth > 8 || m_refWidth < 1 || m_refWidth > 8)
            return fail(QStringLiteral("impossible offset or reference width"));
        const quint64 tableEnd = m_size - kTrailerSize;
        if (m_count == 0 || m_top >= m_count || m_tableOffset < quint64(kMagicSize) + 1 ||
            m_tableOffset > tableEnd || m_count > (tableEnd - m_tableOffset) / m_offsetWidth)
            return fail(QStringLiteral("the object table lies outside the file"));
        // Objects live between the magic and the offset table.
        m_objectsEnd = m_tableOffset;
        return true;
    }

    bool offsetOf(quint64 index, quint64 &offset)
    {
        offset = readBigEndian(m_data + m_tableOffset + index * m_offsetWidth, m_offsetWidth);
        if (offset < quint64(kMagicSize) || offset >= m_objectsEnd)
            return fail(QStringLiteral("an object lies outside the file"));
        return true;
    }

    // Whether `length` bytes from `at` lie inside the object area (without overflowing).
    bool fits(quint64 at, quint64 length) const { return at <= m_objectsEnd && length <= m_objectsEnd - at; }

    // The length in the marker's low nibble, or the integer object after it.
    bool readLength(quint64 &at, quint8 info, quint64 &length)
    {
        if (info != 0xF) {
            length = info;
            return true;
        }
        if (!fits(at, 1))
            return fail(QStringLiteral("a length runs past the end"));
        const quint8 marker = m_data[at];
        const int width = 1 << (marker & 0xF);
        if ((marker >> 4) != kInteger || width > 8 || !fits(at + 1, quint64(width)))
            return fail(QStringLiteral("a length is not a small integer"));
        length = readBigEndian(m_data + at + 1, width);
        at += 1 + quint64(width);
        return true;
    }

    bool readObject(quint64 index, int depth)
    {
        if (index >= m_count)
            return fail(QStringLiteral("a reference to an object that does not exist"));
        Object &slot = m_objects[qsizetype(index)];
        if (slot.state == State::reading)
            return fail(QStringLiteral("a container holds itself"));
        if (slot.state == State::done) {
            if (depth + slot.height > maxDepth)
                return fail(QStringLiteral("nested too deeply"));
            return true;
        }
        if (depth > maxDepth)
            return fail(QStringLiteral("nested too deeply"));
        quint64 at = 0;
        if (!offsetOf(index, at))
            return false;
        slot.state = State::reading;
        const quint8 marker = m_data[at];
        const quint8 info = marker & 0xF;
        ++at;
        QVariant value;
        int height = 0;
        quint64 valueCount = 1;
        switch (marker >> 4) {
        case kSimple:
            if (marker == kFalse || marker == kTrue) {
                value = QVariant(marker == kTrue);
                break;
            }
            return fail(QStringLiteral("an object of an unsupported kind (0x%1)")
                            .arg(marker, 2, 16, QLatin1Char('0')));
        case kInteger:
            if (!readInteger(at, info, value))
                return false;
            break;
        case kReal:
            if (info == 2 && fits(at, 4)) {
                const quint32 bits = quint32(readBigEndian(m_data + at, 4));
                float f;
                std::memcpy(&f, &bits, sizeof f);
                value = QVariant(double(f));
            } else if (info == 3 && fits(at, 8)) {
                value = QVariant(readDouble(at));
            } else {
                return fail(QStringLiteral("a real of an impossible width"));
            }
            break;
        case kDate:
            if (info != 3 || !fits(at, 8))
                return fail(QStringLiteral("a date of an impossible width"));
            value = dateVariantFromSeconds(readDouble(at));
            break;
        case kData: {
            quint64 length = 0;
            if (!readLength(at, info, length))
                return false;
            if (!fits(at, length))
                return fail(QStringLiteral("data runs past the end"));
            value = QVariant(QByteArray(reinterpret_cast<const char *>(m_data + at), qsizetype(length)));
            break;
        }
        case kAsciiString:
        case kUtf16String: {
            QString text;
            if (!readString(at, marker, info, text))
                return false;
            value = QVariant(text);
            break;
        }
        case kUid: {
            const int width = info + 1;
            if (!fits(at, quint64(width)))
                return fail(QStringLiteral("a UID runs past the end"));
            // A keyed archiver's UIDs are 32-bit; the system's readers, and libplist, refuse more.
            for (int i = 0; i + 4 < width; ++i) {
                if (m_data[at + quint64(i)] != 0)
                    return fail(QStringLiteral("a UID too large"));
            }
            const int low = qMin(width, 4);
            value = QVariant::fromValue(PlistUid{readBigEndian(m_data + at + quint64(width - low), low)});
            break;
        }
        case kArray:
        case kSet:
        case kDictionary: {
            quint64 count = 0;
            if (!readLength(at, info, count))
                return false;
            const bool isDictionary = (marker >> 4) == kDictionary;
            const quint64 references = isDictionary ? 2 : 1;
            if (count > (m_objectsEnd - qMin(at, m_objectsEnd)) / (references * m_refWidth))
                return fail(QStringLiteral("a container runs past the end"));
            if (isDictionary) {
                if (!readDictionary(at, count, depth, value, height, valueCount))
                    return false;
            } else if (!readArray(at, count, depth, value, height, valueCount)) {
                return false;
            }
            break;
        }
        default:
            return fail(
                QStringLiteral("an object of an unknown kind (0x%1)").arg(marker, 2, 16, QLatin1Char('0')));
        }
        Object &done = m_objects[qsizetype(index)];
        done.value = std::move(value);
        done.height = height;
        done.valueCount = valueCount;
        done.state = State::done;
        return true;
    }

    double readDouble(quint64 at) const
    {
        const quint64 bits = readBigEndian(m_data + at, 8);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    bool readInteger(quint64 at, quint8 info, QVariant &value)
    {
        if (info > 4)
            return fail(QStringLiteral("an integer of an impossible width"));
        const int width = 1 << info;
        if (!fits(at, quint64(width)))
            return fail(QStringLiteral("an integer runs past the end"));
        if (width < 8) {
            // One, two and four bytes are unsigned.
            value = QVariant::fromValue(qint64(readBigEndian(m_data + at, width)));
        } else if (width == 8) {
            value = QVariant::fromValue(qint64(readBigEndian(m_data + at, 8)));
        } else {
            // Sixteen bytes: a signed 128-bit number. The system writes unsigned 64-bit values above
            // the signed range this way; anything wider than 64 bits is out of reach.
            const quint64 high = readBigEndian(m_data + at, 8);
            const quint64 low = readBigEndian(m_data + at + 8, 8);
            if (high == 0 && low > quint64(std::numeric_limits<qint64>::max()))
                value = QVariant::fromValue(low);
            else if (high == 0 || (high == ~quint64(0) && (low >> 63) != 0))
                value = QVariant::fromValue(qint64(low));
            else
                return fail(QStringLiteral("an integer wider than 64 bits"));
        }
        return true;
    }

    bool readString(quint64 at, quint8 marker, quint8 info, QString &text)
    {
        quint64 length = 0;
        if (!readLength(at, info, length))
            return false;
        if ((marker >> 4) == kAsciiString) {
            if (!fits(at, length))
                return fail(QStringLiteral("a string runs past the end"));
            text = QString::fromLatin1(reinterpret_cast<const char *>(m_data + at), qsizetype(length));
            return true;
        }
        if (length > (m_objectsEnd - qMin(at, m_objectsEnd)) / 2)
            return fail(QStringLiteral("a string runs past the end"));
        text.resize(qsizetype(length));
        QChar *out = text.data();
        for (quint64 i = 0; i < length; ++i)
            out[i] = QChar(char16_t(readBigEndian(m_data + at + 2 * i, 2)));
        return true;
    }

    // The objects at `count` references from `at`, one level deeper.
    bool readChildren(quint64 at, quint64 count, int depth, QList<quint64> &indexes, int &height,
                      quint64 &valueCount)
    {
        indexes.reserve(qsizetype(count));
        for (quint64 i = 0; i < count; ++i) {
            const quint64 child = readBigEndian(m_data + at + i * m_refWidth, m_refWidth);
            if (!readObject(child, depth + 1))
                return false;
            const Object &c = m_objects[qsizetype(child)];
            height = qMax(height, c.height + 1);
            valueCount += c.valueCount;
            if (valueCount > m_budget)
                return fail(QStringLiteral("more values than the file can hold"));
            indexes.append(child);
        }
        return true;
    }

    bool readArray(quint64 at, quint64 count, int depth, QVariant &value, int &height, quint64 &valueCount)
    {
        QList<quint64> indexes;
        if (!readChildren(at, count, depth, indexes, height, valueCount))
            return false;
        QVariantList list;
        list.reserve(indexes.size());
        for (quint64 child : indexes)
            list.append(m_objects[qsizetype(child)].value);
        value = QVariant(list);
        return true;
    }

    bool readDictionary(quint64 at, quint64 count, int depth, QVariant &value, int &height,
                        quint64 &valueCount)
    {
        QStringList keys;
        keys.reserve(qsizetype(count));
        for (quint64 i = 0; i < count; ++i) {
            const quint64 keyIndex = readBigEndian(m_data + at + i * m_refWidth, m_refWidth);
            quint64 keyAt = 0;
            if (keyIndex >= m_count)
                return fail(QStringLiteral("a dictionary key that does not exist"));
            if (!offsetOf(keyIndex, keyAt))
                return false;
            const quint8 keyMarker = m_data[keyAt];
            if ((keyMarker >> 4) != kAsciiString && (keyMarker >> 4) != kUtf16String)
                return fail(QStringLiteral("a dictionary key that is not a string"));
            QString key;
            if (!readString(keyAt + 1, keyMarker, keyMarker & 0xF, key))
                return false;
            if (key.contains(QChar(0)))
                return fail(QStringLiteral("a dictionary key holds a NUL character"));
            keys.append(key);
        }
        valueCount += count; // the keys
        QList<quint64> indexes;
        if (!readChildren(at + count * m_refWidth, count, depth, indexes, height, valueCount))
            return false;
        // Keys and values pair up in file order; a repeated key keeps its last value.
        QVariantMap map;
        for (qsizetype i = 0; i < keys.size(); ++i)
            map.insert(keys[i], m_objects[qsizetype(indexes[i])].value);
        if (m_options.uidDictionaries && map.size() == 1 && map.firstKey() == dictionaryKeyName() &&
            map.first().typeId() == QMetaType::LongLong && map.first().toLongLong() >= 0 &&
            map.first().toLongLong() <= kLargestUid) {
            value = QVariant::fromValue(PlistUid{quint64(map.first().toLongLong())});
            return true;
        }
        value = QVariant(map);
        return true;
    }

    const uchar *m_data;
    quint64 m_size;
    ReadOptions m_options;
    int m_offsetWidth = 0;
    quint64 m_refWidth = 0;
    quint64 m_count = 0;
    quint64 m_top = 0;
    quint64 m_tableOffset = 0;
    quint64 m_objectsEnd = 0;
    quint64 m_budget = 0;
    QList<Object> m_objects;
    QString m_error;
};

// ---- writing ----

int widthFor(quint64 largest)
{
    if (largest <= 0xFF)
        return 1;
    if (largest <= 0xFFFF)
        return 2;
    if (largest <= 0xFFFFFFFFu)
        return 4;
    return 8;
}

void appendBigEndian(QByteArray &out, quint64 v, int width)
{
    for (int i = width - 1; i >= 0; --i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void appendMarker(QByteArray &out, quint8 type, quint64 length)
{
    if (length < 15) {
        out.append(char((type << 4) | quint8(length)));
        return;
    }
    out.append(char((type << 4) | 0xF));
    const int width = widthFor(length);
    out.append(char((kInteger << 4) | (width == 1 ? 0 : width == 2 ? 1 : width == 4 ? 2 : 3)));
    appendBigEndian(out, length, width);
}

void appendInteger(QByteArray &out, qint64 v)
{
    if (v < 0) {
        out.append(char((kInteger << 4) | 3));
        appendBigEndian(out, quint64(v), 8);
        return;
    }
    const int width = widthFor(quint64(v));
    out.append(char((kInteger << 4) | (width == 1 ? 0 : width == 2 ? 1 : width == 4 ? 2 : 3)));
    appendBigEndian(out, quint64(v), width);
}

void appendDouble(QByteArray &out, quint8 type, double d)
{
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    out.append(char((type << 4) | 3));
    appendBigEndian(out, bits, 8);
}

void appendString(QByteArray &out, const QString &text)
{
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        appendMarker(out, kAsciiString, quint64(text.size()));
        out.append(text.toLatin1());
        return;
    }
    appendMarker(out, kUtf16String, quint64(text.size()));
    const qsizetype start = out.size();
    out.resize(start + 2 * text.size());
    char *p = out.data() + start;
    for (QChar c : text) {
        *p++ = char(c.unicode() >> 8);
        *p++ = char(c.unicode() & 0xFF);
    }
}

class Writer {
public:
    Result<QByteArray> write(const QVariant &root)
    {
        if (!add(root, 0))
            return Result<QByteArray>::failure(m_error);
        const quint64 count = quint64(m_objects.size());
        const int refWidth = widthFor(count - 1);
        QByteArray out(kMagic, kMagicSize);
        QList<quint64> offsets;
        offsets.reserve(m_objects.size());
        for (const Pending &object : std::as_const(m_objects)) {
            offsets.append(quint64(out.size()));
            out.append(object.bytes); // a scalar whole, or a container's marker and length
            for (int child : object.children)
                appendBigEndian(out, quint64(child), refWidth);
        }
        const quint64 tableOffset = quint64(out.size());
        const int offsetWidth = widthFor(offsets.isEmpty() ? 0 : offsets.last());
        for (quint64 offset : std::as_const(offsets))
            appendBigEndian(out, offset, offsetWidth);
        out.append(QByteArray(6, '\0'));
        out.append(char(offsetWidth));
        out.append(char(refWidth));
        appendBigEndian(out, count, 8);
        appendBigEndian(out, 0, 8); // the top object comes first
        appendBigEndian(out, tableOffset, 8);
        return out;
    }

private:
    struct Pending {
        QByteArray bytes; // a scalar whole, or a container's marker and length
        QList<int> children;
        bool container = false;
    };

    bool fail(const QString &why)
    {
        m_error = why;
        return false;
    }

    // A scalar is written once however often it appears, as the system does.
    int addScalar(QByteArray bytes)
    {
        const auto found = m_scalars.constFind(bytes);
        if (found != m_scalars.constEnd())
            return *found;
        const int index = int(m_objects.size());
        m_scalars.insert(bytes, index);
        m_objects.append(Pending{std::move(bytes), {}, false});
        return index;
    }

    bool add(const QVariant &v, int depth)
    {
        if (depth > maxDepth)
            return fail(QStringLiteral("value nested too deeply for a property list"));
        QByteArray bytes;
        switch (v.typeId()) {
        case QMetaType::Bool:
            bytes.append(char(v.toBool() ? kTrue : kFalse));
            m_last = addScalar(bytes);
            return true;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Long:
        case QMetaType::Short:
        case QMetaType::UInt:
        case QMetaType::UShort:
            appendInteger(bytes, v.toLongLong());
            m_last = addScalar(bytes);
            return true;
        case QMetaType::ULongLong:
        case QMetaType::ULong: {
            const quint64 u = v.toULongLong();
            if (u <= quint64(std::numeric_limits<qint64>::max())) {
                appendInteger(bytes, qint64(u));
            } else {
                bytes.append(char((kInteger << 4) | 4));
                appendBigEndian(bytes, 0, 8);
                appendBigEndian(bytes, u, 8);
            }
            m_last = addScalar(bytes);
            return true;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            appendDouble(bytes, kReal, v.toDouble());
            m_last = addScalar(bytes);
            return true;
        case QMetaType::QString:
            appendString(bytes, v.toString());
            m_last = addScalar(bytes);
            return true;
        case QMetaType::QByteArray: {
            const QByteArray data = v.toByteArray();
            appendMarker(bytes, kData, quint64(data.size()));
            bytes.append(data);
            m_last = addScalar(bytes);
            return true;
        }
        case QMetaType::QDateTime: {
            const std::optional<double> seconds = plistSecondsOf(v);
            if (!seconds)
                return fail(QStringLiteral("an invalid date cannot be stored in a property list"));
            appendDouble(bytes, kDate, *seconds);
            m_last = addScalar(bytes);
            return true;
        }
        case QMetaType::QVariantList:
        case QMetaType::QStringList: {
            const QVariantList list = v.toList();
            const int index = int(m_objects.size());
            Pending array;
            array.container = true;
            appendMarker(array.bytes, kArray, quint64(list.size()));
            m_objects.append(array);
            QList<int> children;
            children.reserve(list.size());
            for (const QVariant &item : list) {
                if (!add(item, depth + 1))
                    return false;
                children.append(m_last);
            }
            m_objects[index].children = std::move(children);
            m_last = index;
            return true;
        }
        case QMetaType::QVariantMap:
        case QMetaType::QVariantHash: {
            const QVariantMap map = v.toMap();
            const int index = int(m_objects.size());
            Pending dictionary;
            dictionary.container = true;
            appendMarker(dictionary.bytes, kDictionary, quint64(map.size()));
            m_objects.append(dictionary);
            QList<int> keys;
            QList<int> values;
            keys.reserve(map.size());
            values.reserve(map.size());
            for (auto it = map.cbegin(); it != map.cend(); ++it) {
                // The reader refuses such a key (libplist, the system's other readers and scripts
                // choke on it), so the writer makes no file the reader would refuse.
                if (it.key().contains(QChar(0)))
                    return fail(QStringLiteral(
                        "a dictionary key holding U+0000 cannot be stored in a property list"));
                QByteArray key;
                appendString(key, it.key());
                keys.append(addScalar(key));
            }
            for (auto it = map.cbegin(); it != map.cend(); ++it) {
                if (!add(it.value(), depth + 1)) {
                    if (!m_error.contains(QLatin1String("(under the key")))
                        m_error = QStringLiteral("%1 (under the key \"%2\")").arg(m_error, it.key());
                    return false;
                }
                values.append(m_last);
            }
            m_objects[index].children = keys + values;
            m_last = index;
            return true;
        }
        default: break;
        }
        if (v.metaType() == QMetaType::fromType<Utf8Text>()) {
            appendString(bytes, QString::fromUtf8(v.value<Utf8Text>().utf8));
            m_last = addScalar(bytes);
            return true;
        }
        if (v.metaType() == QMetaType::fromType<PlistDate>()) {
            appendDouble(bytes, kDate, v.value<PlistDate>().seconds);
            m_last = addScalar(bytes);
            return true;
        }
        if (v.metaType() == QMetaType::fromType<PlistUid>()) {
            const quint64 uid = v.value<PlistUid>().value;
            if (uid > quint64(kLargestUid))
                return fail(QStringLiteral("the UID %1 is larger than a property list can hold").arg(uid));
            const int width = widthFor(uid);
            bytes.append(char((kUid << 4) | (width - 1)));
            appendBigEndian(bytes, uid, width);
            m_last = addScalar(bytes);
            return true;
        }
        return fail(QStringLiteral("a value of type %1 cannot be stored in a property list")
                        .arg(v.isValid() ? QString::fromLatin1(v.typeName()) : QStringLiteral("nothing")));
    }

    QList<Pending> m_objects;
    QHash<QByteArray, int> m_scalars;
    int m_last = -1; // the index of the value `add` added last
    QString m_error;
};

} // namespace

bool looksBinary(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayView(kMagic, 6)); // "bplist", whatever the version
}

Result<QVariant> parse(const QByteArray &bytes, ReadOptions options)
{
    return Reader(bytes, options).read();
}

Result<QByteArray> serialize(const QVariant &value)
{
    return Writer().write(value);
}

} // namespace velmora::BinaryPropertyList
