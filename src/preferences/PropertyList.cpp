#include "PropertyList.h"

#include "common/AtomicFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>

namespace velmora::PropertyList {

namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr qint64 kMacEpochOffset = 978307200;
// Deeper nesting than this is no preference file; refuse it rather than exhaust the stack.
constexpr int kMaxDepth = 256;

struct PlistDeleter {
    void operator()(void *node) const
    {
        if (node)
            plist_free(static_cast<plist_t>(node));
    }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

QString typeNameOf(const QVariant &v)
{
    return v.isValid() ? QString::fromLatin1(v.typeName()) : QStringLiteral("nothing");
}

// libplist keeps one integer node type; an integer above the signed range is marked internally and
// is the only kind it prints without a sign. The public API cannot ask for the mark, so an integer
// with its top bit set is told apart by how libplist prints it.
bool isUnsignedAboveSignedRange(plist_t node)
{
    PlistPtr copy(plist_copy(node));
    PlistPtr wrapper(plist_new_array());
    plist_array_append_item(wrapper.get(), copy.release());
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(wrapper.get(), &xml, &length);
    const bool isUnsigned = xml && !QByteArray::fromRawData(xml, int(length)).contains("<integer>-");
    if (xml)
        plist_to_xml_free(xml);
    return isUnsigned;
}

Result<QVariant> toVariant(plist_t node, int depth)
{
    if (depth > kMaxDepth)
        return Result<QVariant>::failure(QStringLiteral("property list nested too deeply"));
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return QVariant(b != 0);
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        if (u > uint64_t(std::numeric_limits<qint64>::max()) && isUnsignedAboveSignedRange(node))
            return QVariant::fromValue(quint64(u));
        return QVariant::fromValue(qint64(u));
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return QVariant(d);
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        uint64_t length = 0;
        const char *s = plist_get_string_ptr(node, &length);
        return QVariant(QString::fromUtf8(s, qsizetype(length)));
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        const qint64 ms = (kMacEpochOffset + qint64(sec)) * 1000 + usec / 1000;
        return QVariant(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char *bytes = plist_get_data_ptr(node, &length);
        return QVariant(QByteArray(bytes, qsizetype(length)));
    }
    case PLIST_UID: {
        uint64_t uid = 0;
        plist_get_uid_val(node, &uid);
        return QVariant::fromValue(PlistUid{uid});
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        list.reserve(n);
        for (uint32_t i = 0; i < n; ++i) {
            Result<QVariant> item = toVariant(plist_array_get_item(node, i), depth + 1);
            if (!item)
                return item;
            list.append(std::move(item).value());
        }
        return QVariant(list);
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char *key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!value) {
                free(key);
                break;
            }
            const QString k = QString::fromUtf8(key);
            free(key);
            Result<QVariant> item = toVariant(value, depth + 1);
            if (!item) {
                free(it);
                return item;
            }
            map.insert(k, std::move(item).value());
        }
        free(it);
        // XML has no UID element; the system writes one as a dictionary holding only "CF$UID".
        if (map.size() == 1 && map.firstKey() == QLatin1String("CF$UID") &&
            map.first().typeId() == QMetaType::LongLong && map.first().toLongLong() >= 0)
            return QVariant::fromValue(PlistUid{quint64(map.first().toLongLong())});
        return QVariant(map);
    }
    case PLIST_NONE:
        break;
    }
    return Result<QVariant>::failure(QStringLiteral("unknown property-list element"));
}

Result<PlistPtr> fromVariant(const QVariant &v, int depth)
{
    using R = Result<PlistPtr>;
    if (depth > kMaxDepth)
        return R::failure(QStringLiteral("value nested too deeply for a property list"));
    switch (v.typeId()) {
    case QMetaType::Bool:
        return R(PlistPtr(plist_new_bool(v.toBool() ? 1 : 0)));
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UInt:
    case QMetaType::UShort:
        return R(PlistPtr(plist_new_uint(uint64_t(v.toLongLong()))));
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
        const quint64 u = v.toULongLong();
        if (u <= quint64(std::numeric_limits<qint64>::max()))
            return R(PlistPtr(plist_new_uint(u)));
        // Only the XML reader can make an integer marked as unsigned.
        const QByteArray xml = "<plist version=\"1.0\"><integer>" + QByteArray::number(u) + "</integer></plist>";
        plist_t node = nullptr;
        plist_from_xml(xml.constData(), uint32_t(xml.size()), &node);
        if (!node)
            return R::failure(QStringLiteral("could not store the integer %1").arg(u));
        return R(PlistPtr(node));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return R(PlistPtr(plist_new_real(v.toDouble())));
    case QMetaType::QString: {
        const QByteArray utf8 = v.toString().toUtf8();
        return R(PlistPtr(plist_new_string(utf8.constData())));
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        return R(PlistPtr(plist_new_data(bytes.constData(), uint64_t(bytes.size()))));
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid())
            return R::failure(QStringLiteral("an invalid date cannot be stored in a property list"));
        const qint64 ms = dt.toMSecsSinceEpoch() - kMacEpochOffset * 1000;
        const qint64 sec = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
        const qint64 usec = (ms - sec * 1000) * 1000;
        if (sec < std::numeric_limits<int32_t>::min() || sec > std::numeric_limits<int32_t>::max())
            return R::failure(QStringLiteral("the date %1 is out of range").arg(dt.toString(Qt::ISODate)));
        return R(PlistPtr(plist_new_date(int32_t(sec), int32_t(usec))));
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        PlistPtr array(plist_new_array());
        for (const QVariant &item : v.toList()) {
            R child = fromVariant(item, depth + 1);
            if (!child)
                return child;
            plist_array_append_item(array.get(), std::move(child).value().release());
        }
        return R(std::move(array));
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        PlistPtr dict(plist_new_dict());
        const QVariantMap map = v.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            R child = fromVariant(it.value(), depth + 1);
            if (!child)
                return R::failure(QStringLiteral("%1 (under the key \"%2\")").arg(child.error(), it.key()));
            plist_dict_set_item(dict.get(), it.key().toUtf8().constData(), std::move(child).value().release());
        }
        return R(std::move(dict));
    }
    default:
        if (v.metaType() == QMetaType::fromType<PlistUid>())
            return R(PlistPtr(plist_new_uid(v.value<PlistUid>().value)));
        break;
    }
    return R::failure(QStringLiteral("a value of type %1 cannot be stored in a property list").arg(typeNameOf(v)));
}

} // namespace

Result<QVariant> parse(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return Result<QVariant>::failure(QStringLiteral("the file is empty"));
    if (bytes.size() > std::numeric_limits<int32_t>::max())
        return Result<QVariant>::failure(QStringLiteral("the file is too large"));
    plist_t root = nullptr;
    const auto length = uint32_t(bytes.size());
    if (plist_is_binary(bytes.constData(), length))
        plist_from_bin(bytes.constData(), length, &root);
    else
        plist_from_xml(bytes.constData(), length, &root);
    if (!root)
        return Result<QVariant>::failure(QStringLiteral("not a property list, or a damaged one"));
    PlistPtr owner(root);
    return toVariant(root, 0);
}

Result<QByteArray> serialize(const QVariant &value, Format format)
{
    Result<PlistPtr> root = fromVariant(value, 0);
    if (!root)
        return Result<QByteArray>::failure(root.error());
    char *out = nullptr;
    uint32_t length = 0;
    if (format == Format::xml) {
        plist_to_xml(root->get(), &out, &length);
    } else {
        plist_to_bin(root->get(), &out, &length);
    }
    if (!out)
        return Result<QByteArray>::failure(QStringLiteral("could not write the property list"));
    QByteArray bytes(out, qsizetype(length));
    if (format == Format::xml)
        plist_to_xml_free(out);
    else
        plist_to_bin_free(out);
    return bytes;
}

Result<QVariant> readFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Result<QVariant>::failure(QStringLiteral("%1 is a folder, not a property list").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<QVariant>::failure(QStringLiteral("Could not read %1: %2").arg(path, file.errorString()));
    Result<QVariant> parsed = parse(file.readAll());
    if (!parsed)
        return Result<QVariant>::failure(QStringLiteral("Could not read %1: %2").arg(path, parsed.error()));
    return parsed;
}

Status writeFile(const QString &path, const QVariant &value, Format format)
{
    Result<QByteArray> bytes = serialize(value, format);
    if (!bytes)
        return Status::failure(QStringLiteral("Could not write %1: %2").arg(path, bytes.error()));
    const Status written = AtomicFile::write(path, *bytes);
    if (!written)
        return Status::failure(QStringLiteral("Could not write %1").arg(written.error()));
    return written;
}

} // namespace velmora::PropertyList
