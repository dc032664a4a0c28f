#include "PropertyList.h"

#include "BinaryPropertyList.h"
#include "common/AtomicFile.h"
#include "common/RegularFile.h"
#include "common/Utf8Text.h"

#include <QUtf8StringView>
#include <QUuid>

#include <plist/plist.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace velmora::PropertyList {

namespace {

struct PlistDeleter {
    void operator()(void *node) const
    {
        if (node)
            plist_free(static_cast<plist_t>(node));
    }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// libplist reads XML without recursing, but frees a tree and writes it as binary recursively: a
// tree a few hundred thousand levels deep overflows the stack in either. So the depth of what it
// read is measured with a stack of our own, and a tree too deep is taken apart from the leaves up.
bool deeperThan(plist_t root, int limit)
{
    struct Frame {
        plist_t node;
        int depth;
    };
    std::vector<Frame> stack{{root, 0}};
    while (!stack.empty()) {
        const Frame frame = stack.back();
        stack.pop_back();
        const plist_type type = plist_get_node_type(frame.node);
        if (type != PLIST_ARRAY && type != PLIST_DICT)
            continue;
        if (frame.depth >= limit)
            return true;
        if (type == PLIST_ARRAY) {
            const uint32_t n = plist_array_get_size(frame.node);
            for (uint32_t i = 0; i < n; ++i)
                stack.push_back({plist_array_get_item(frame.node, i), frame.depth + 1});
            continue;
        }
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(frame.node, &it);
        for (;;) {
            plist_t value = nullptr;
            plist_dict_next_item(frame.node, it, nullptr, &value);
            if (!value)
                break;
            stack.push_back({value, frame.depth + 1});
        }
        free(it);
    }
    return false;
}

bool isFilledContainer(plist_t node)
{
    const plist_type type = plist_get_node_type(node);
    return (type == PLIST_ARRAY && plist_array_get_size(node) > 0) ||
           (type == PLIST_DICT && plist_dict_get_size(node) > 0);
}

void freeWithoutRecursion(plist_t root)
{
    std::vector<plist_t> stack{root};
    while (!stack.empty()) {
        plist_t node = stack.back();
        if (plist_get_node_type(node) == PLIST_ARRAY && plist_array_get_size(node) > 0) {
            const uint32_t last = plist_array_get_size(node) - 1;
            plist_t child = plist_array_get_item(node, last);
            if (isFilledContainer(child))
                stack.push_back(child);
            else
                plist_array_remove_item(node, last);
            continue;
        }
        if (plist_get_node_type(node) == PLIST_DICT && plist_dict_get_size(node) > 0) {
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(node, &it);
            char *key = nullptr;
            plist_t child = nullptr;
            plist_dict_next_item(node, it, &key, &child);
            free(it);
            if (child && isFilledContainer(child))
                stack.push_back(child);
            else if (key)
                plist_dict_remove_item(node, key);
            free(key);
            if (!child)
                stack.pop_back(); // a dictionary libplist cannot walk: leave it to plist_free
            continue;
        }
        stack.pop_back();
        if (stack.empty())
            plist_free(node);
    }
}

Result<QVariant> damaged(const QString &why)
{
    return Result<QVariant>::failure(QStringLiteral("not a property list, or a damaged one (%1)").arg(why));
}

// XML goes through libplist, then through its binary writer into the binary reader of our own, so
// one reader decides every value (dates to the bit, integers above the signed range, UIDs).
// libplist's tree of an XML text, or why there is none; `depthLimit` as `deeperThan` counts.
QString readXmlTree(const QByteArray &bytes, int depthLimit, PlistPtr &tree)
{
    // A NUL byte ends libplist's strings early: the text around it would be read as something else.
    if (bytes.contains('\0'))
        return QStringLiteral("it holds a NUL byte");
    // libplist takes the bytes as they come; text that is not UTF-8 would be read as garbage (halves
    // of surrogate pairs) that no XML file can carry back. The system's readers refuse it too.
    if (!QUtf8StringView(bytes).isValidUtf8())
        return QStringLiteral("its text is not UTF-8");
    plist_t root = nullptr;
    plist_from_xml(bytes.constData(), uint32_t(bytes.size()), &root);
    if (!root)
        return QStringLiteral("not well-formed");
    if (deeperThan(root, depthLimit)) {
        freeWithoutRecursion(root);
        return QStringLiteral("nested too deeply");
    }
    tree.reset(root);
    return {};
}

Result<QVariant> parseXml(const QByteArray &bytes)
{
    PlistPtr owner;
    // One level more than the binary reader allows, so its own message decides at the limit.
    if (const QString why = readXmlTree(bytes, BinaryPropertyList::maxDepth + 2, owner); !why.isEmpty())
        return damaged(why);
    plist_t root = owner.get();
    char *binary = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &binary, &length);
    if (!binary)
        return damaged(QStringLiteral("not a property list"));
    const QByteArray copy(binary, qsizetype(length));
    plist_to_bin_free(binary);
    BinaryPropertyList::ReadOptions options;
    options.uidDictionaries = true;
    return BinaryPropertyList::parse(copy, options);
}

// A text XML carries as it stands, which libplist writes and reads unchanged: printable ASCII with
// none of the three characters it escapes (quotes it leaves). Base64 and its JSON always are.
bool carriedAsItStands(QByteArrayView text)
{
    for (const char c : text) {
        if (c < 0x20 || c > 0x7e || c == '&' || c == '<' || c == '>')
            return false;
    }
    return true;
}

Result<QHash<QString, QString>> notTexts(const QString &why)
{
    return Result<QHash<QString, QString>>::failure(
        QStringLiteral("not a property list, or a damaged one (%1)").arg(why));
}

Result<QHash<QString, QString>> textsOf(const QVariant &value, const QStringList &keys)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return Result<QHash<QString, QString>>::failure(
            QStringLiteral("the property list is not a dictionary"));
    const QVariantMap dictionary = value.toMap();
    QHash<QString, QString> texts;
    for (const QString &key : keys) {
        const auto found = dictionary.constFind(key);
        if (found != dictionary.cend() && found->typeId() == QMetaType::QString)
            texts.insert(key, found->toString());
    }
    return texts;
}

// Whether "&#" occurs: searched for by its rare first byte, since a general search for two bytes
// costs more than reading the file.
bool holdsCharacterReference(const QByteArray &bytes)
{
    const char *at = bytes.constData();
    const char *end = at + bytes.size();
    while ((at = static_cast<const char *>(std::memchr(at, '&', size_t(end - at))))) {
        if (++at < end && *at == '#')
            return true;
    }
    return false;
}

// The checks of `parseXml` up to the tree, then only the keys asked for: turning the tree into
// binary and reading that back (libplist clears a large table for every file it writes) is most of
// the time a scan of many small files would take.
Result<QHash<QString, QString>> textsOfXml(const QByteArray &bytes, const QStringList &keys)
{
    // A character reference can put U+0000 into a key, which the binary reader refuses and libplist
    // cannot show: such a file takes the whole way. Few Info.plists hold a reference at all.
    if (holdsCharacterReference(bytes)) {
        const Result<QVariant> parsed = parseXml(bytes);
        if (!parsed)
            return Result<QHash<QString, QString>>::failure(parsed.error());
        return textsOf(*parsed, keys);
    }
    PlistPtr owner;
    // The binary reader's limit: containers at depth maxDepth (the top at 0) are read, deeper ones not.
    if (const QString why = readXmlTree(bytes, BinaryPropertyList::maxDepth + 1, owner); !why.isEmpty())
        return notTexts(why);
    plist_t root = owner.get();
    if (plist_get_node_type(root) != PLIST_DICT)
        return Result<QHash<QString, QString>>::failure(
            QStringLiteral("the property list is not a dictionary"));
    QHash<QString, QString> texts;
    for (const QString &key : keys) {
        plist_t value = plist_dict_get_item(root, key.toUtf8().constData());
        if (!value || plist_get_node_type(value) != PLIST_STRING)
            continue;
        uint64_t length = 0;
        const char *text = plist_get_string_ptr(value, &length);
        texts.insert(key, QString::fromUtf8(text, qsizetype(length)));
    }
    return texts;
}

// A long text is named by its start in messages.
QString opening(const QString &text)
{
    constexpr qsizetype limit = 40;
    return text.size() <= limit ? text : text.left(limit) + QStringLiteral("…");
}

QString cannotCarry(const QString &what, const QString &text, char16_t c)
{
    return QStringLiteral("the %1 \"%2\" holds the character U+%3, which an XML property list cannot carry")
        .arg(what, opening(text), QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

// XML dates are "yyyy-MM-ddTHH:mm:ssZ": four-digit years, no fraction (a fraction is dropped, as
// the system's own writer does), and no room for a date that is not a number.
constexpr double kFirstXmlSecond = -63113904000.0; // 0001-01-01T00:00:00Z
constexpr double kLastXmlSecond = 252423993599.0;  // 9999-12-31T23:59:59Z

std::optional<QString> whatXmlCannotCarry(const QVariant &value)
{
    if (isDateVariant(value)) {
        const std::optional<double> seconds = plistSecondsOf(value);
        if (seconds && *seconds >= kFirstXmlSecond && *seconds <= kLastXmlSecond)
            return std::nullopt;
        return QStringLiteral("the date %1 lies outside the years 1 to 9999 an XML property list can carry")
            .arg(seconds ? QString::number(*seconds, 'g', 17) : QStringLiteral("(invalid)"));
    }
    if (value.metaType() == QMetaType::fromType<Utf8Text>()) {
        const QByteArray utf8 = value.value<Utf8Text>().utf8;
        return carriedAsItStands(utf8) ? std::nullopt : whatXmlCannotCarry(QString::fromUtf8(utf8));
    }
    if (value.typeId() == QMetaType::QString) {
        if (const std::optional<char16_t> c = characterXmlCannotCarry(value.toString()))
            return cannotCarry(QStringLiteral("text"), value.toString(), *c);
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList) {
        for (const QVariant &item : value.toList()) {
            if (std::optional<QString> problem = whatXmlCannotCarry(item))
                return problem;
        }
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::QVariantMap || value.typeId() == QMetaType::QVariantHash) {
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (const std::optional<char16_t> c = characterXmlCannotCarry(it.key()))
                return cannotCarry(QStringLiteral("key"), it.key(), *c);
            if (std::optional<QString> problem = whatXmlCannotCarry(it.value()))
                return QStringLiteral("%1 (under the key \"%2\")").arg(*problem, opening(it.key()));
        }
    }
    return std::nullopt;
}

Result<QByteArray> serializeXml(const QVariant &value)
{
    // The binary writer checks kinds and depth; the XML is libplist's rendering of its output.
    Result<QByteArray> binary = BinaryPropertyList::serialize(value);
    if (!binary)
        return binary;
    if (const std::optional<QString> problem = whatXmlCannotCarry(value))
        return Result<QByteArray>::failure(*problem);
    plist_t root = nullptr;
    plist_from_bin(binary->constData(), uint32_t(binary->size()), &root);
    if (!root)
        return Result<QByteArray>::failure(QStringLiteral("could not write the property list"));
    PlistPtr owner(root);
    char *out = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &out, &length);
    if (!out)
        return Result<QByteArray>::failure(QStringLiteral("could not write the property list"));
    QByteArray xml(out, qsizetype(length));
    plist_to_xml_free(out);
    // XML readers turn a raw carriage return into a line feed; a character reference survives.
    xml.replace('\r', "&#13;");
    return xml;
}

// Long texts travel beside the tree libplist sees, each replaced by a token text: one no file
// holds by chance, since it carries a new UUID every time.
QString newTokenBase()
{
    return QStringLiteral("velmora-long-text-%1-").arg(QUuid::createUuid().toString(QUuid::Id128));
}

// `value` with `leaf` applied to everything in it that is neither a map nor a list, however deep.
template <typename Leaf> QVariant mapLeaves(const QVariant &value, const Leaf &leaf)
{
    if (value.typeId() == QMetaType::QVariantMap) {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            *it = mapLeaves(*it, leaf);
        return map;
    }
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList list = value.toList();
        for (QVariant &item : list)
            item = mapLeaves(item, leaf);
        return list;
    }
    return leaf(value);
}

QVariant withTokens(const QVariant &value, const QString &base, QList<QByteArray> &texts)
{
    return mapLeaves(value, [&](const QVariant &leaf) -> QVariant {
        if (leaf.metaType() != QMetaType::fromType<Utf8Text>())
            return leaf;
        const QByteArray utf8 = leaf.value<Utf8Text>().utf8;
        if (!carriedAsItStands(utf8))
            return QString::fromUtf8(utf8);
        texts.append(utf8);
        return base + QString::number(texts.size() - 1);
    });
}

// The index of the token `text` is, if it is one.
std::optional<qsizetype> tokenIndex(const QVariant &value, const QString &base, qsizetype count)
{
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString();
    if (!text.startsWith(base))
        return std::nullopt;
    bool ok = false;
    const qsizetype index = QStringView(text).mid(base.size()).toLongLong(&ok);
    return ok && index >= 0 && index < count ? std::optional<qsizetype>(index) : std::nullopt;
}

// Counts each token's places in `uses`; with `texts` given, also puts the texts in their places.
QVariant withTexts(const QVariant &value, const QString &base, QList<int> &uses,
                   const QList<QByteArray> *texts)
{
    return mapLeaves(value, [&](const QVariant &leaf) -> QVariant {
        const std::optional<qsizetype> index = tokenIndex(leaf, base, uses.size());
        if (!index)
            return leaf;
        ++uses[*index];
        return texts ? QVariant::fromValue(Utf8Text{texts->at(*index)}) : leaf;
    });
}

} // namespace

std::optional<char16_t> characterXmlCannotCarry(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            return c;
        if (c == 0xFFFE || c == 0xFFFF)
            return c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (QChar::isSurrogate(c))
            return c;
    }
    return std::nullopt;
}

Result<QVariant> parse(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return Result<QVariant>::failure(QStringLiteral("the file is empty"));
    if (bytes.size() > std::numeric_limits<int32_t>::max())
        return Result<QVariant>::failure(QStringLiteral("the file is too large"));
    if (BinaryPropertyList::looksBinary(bytes))
        return BinaryPropertyList::parse(bytes);
    return parseXml(bytes);
}

Result<QVariant> parseKeepingLongTexts(QByteArray bytes)
{
    // Comments, character data sections and entities could hold what looks like a string element;
    // the system's and libplist's writers use none of them, so such a file takes the ordinary way.
    if (bytes.isEmpty() || bytes.size() > std::numeric_limits<int32_t>::max() ||
        BinaryPropertyList::looksBinary(bytes) || bytes.contains("<!--") || bytes.contains("<![CDATA[") ||
        bytes.contains("<!ENTITY"))
        return parse(bytes);

    struct Span {
        qsizetype start;
        qsizetype length;
    };
    QList<Span> spans;
    static constexpr QByteArrayView kOpen("<string>");
    for (qsizetype at = bytes.indexOf(kOpen); at >= 0; at = bytes.indexOf(kOpen, at)) {
        const qsizetype start = at + kOpen.size();
        const qsizetype end = bytes.indexOf('<', start);
        if (end < 0)
            break;
        if (end - start >= longText && carriedAsItStands(QByteArrayView(bytes).sliced(start, end - start)))
            spans.append({start, end - start});
        at = end;
    }
    if (spans.isEmpty())
        return parse(bytes);

    // The document as libplist sees it: each long text replaced by its token.
    const QString base = newTokenBase();
    QByteArray skeleton;
    qsizetype from = 0;
    for (qsizetype i = 0; i < spans.size(); ++i) {
        skeleton.append(QByteArrayView(bytes).sliced(from, spans[i].start - from));
        skeleton.append((base + QString::number(i)).toLatin1());
        from = spans[i].start + spans[i].length;
    }
    skeleton.append(QByteArrayView(bytes).sliced(from));
    Result<QVariant> tree = parse(skeleton);
    skeleton.clear();
    if (!tree)
        return tree;
    // Each token must stand for one whole text, else the file was something this reading does not
    // foresee: it is read the ordinary way instead.
    QList<int> uses(spans.size(), 0);
    withTexts(*tree, base, uses, nullptr);
    if (uses.count(1) != uses.size())
        return parse(bytes);

    qsizetype longest = 0;
    for (qsizetype i = 1; i < spans.size(); ++i) {
        if (spans[i].length > spans[longest].length)
            longest = i;
    }
    QList<QByteArray> texts(spans.size());
    for (qsizetype i = 0; i < spans.size(); ++i) {
        if (i != longest)
            texts[i] = bytes.mid(spans[i].start, spans[i].length);
    }
    // The longest text moves to the front of the file's buffer, which then shrinks around it: the
    // file and its text are never held side by side.
    char *data = bytes.data();
    std::memmove(data, data + spans[longest].start, size_t(spans[longest].length));
    bytes.truncate(spans[longest].length);
    bytes.squeeze();
    texts[longest] = std::move(bytes);
    return withTexts(*tree, base, uses, &texts);
}

Result<QList<QByteArray>> serializeXmlPieces(const QVariant &value)
{
    using R = Result<QList<QByteArray>>;
    const QString base = newTokenBase();
    QList<QByteArray> texts;
    const QVariant tokened = withTokens(value, base, texts);
    const Result<QByteArray> xml = serializeXml(tokened);
    if (!xml)
        return R::failure(xml.error());
    if (texts.isEmpty())
        return QList<QByteArray>{*xml};

    struct Place {
        qsizetype at;
        qsizetype length;
        qsizetype text;
    };
    QList<Place> places;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QByteArray token = (base + QString::number(i)).toLatin1();
        const QByteArray element = "<string>" + token + "</string>";
        const qsizetype at = xml->indexOf(element);
        if (at < 0 || xml->indexOf(element, at + 1) >= 0)
            return R::failure(QStringLiteral("could not write the property list"));
        places.append({at + qsizetype(std::strlen("<string>")), token.size(), i});
    }
    std::sort(places.begin(), places.end(), [](const Place &a, const Place &b) { return a.at < b.at; });
    QList<QByteArray> pieces;
    qsizetype from = 0;
    for (const Place &place : std::as_const(places)) {
        pieces.append(xml->mid(from, place.at - from));
        pieces.append(texts[place.text]);
        from = place.at + place.length;
    }
    pieces.append(xml->mid(from));
    return pieces;
}

Result<QByteArray> serialize(const QVariant &value, Format format)
{
    if (format == Format::binary)
        return BinaryPropertyList::serialize(value);
    return serializeXml(value);
}

Result<QVariant> readFile(const QString &path)
{
    const Result<QByteArray> bytes = RegularFile::read(path);
    if (!bytes)
        return Result<QVariant>::failure(bytes.error());
    Result<QVariant> parsed = parse(*bytes);
    if (!parsed)
        return Result<QVariant>::failure(QStringLiteral("Could not read %1: %2").arg(path, parsed.error()));
    return parsed;
}

Result<QHash<QString, QString>> parseTexts(const QByteArray &bytes, const QStringList &keys)
{
    if (bytes.isEmpty())
        return Result<QHash<QString, QString>>::failure(QStringLiteral("the file is empty"));
    if (bytes.size() > std::numeric_limits<int32_t>::max())
        return Result<QHash<QString, QString>>::failure(QStringLiteral("the file is too large"));
    if (BinaryPropertyList::looksBinary(bytes)) {
        const Result<QVariant> parsed = BinaryPropertyList::parse(bytes);
        if (!parsed)
            return Result<QHash<QString, QString>>::failure(parsed.error());
        return textsOf(*parsed, keys);
    }
    return textsOfXml(bytes, keys);
}

Result<QHash<QString, QString>> readTexts(const QString &path, const QStringList &keys)
{
    const Result<QByteArray> bytes = RegularFile::read(path);
    if (!bytes)
        return Result<QHash<QString, QString>>::failure(bytes.error());
    Result<QHash<QString, QString>> texts = parseTexts(*bytes, keys);
    if (!texts)
        return Result<QHash<QString, QString>>::failure(
            QStringLiteral("Could not read %1: %2").arg(path, texts.error()));
    return texts;
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
