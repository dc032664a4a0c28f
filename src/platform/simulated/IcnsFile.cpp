#include "IcnsFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <limits>
#include <utility>

namespace velmora {

namespace {

constexpr int kHeaderBytes = 8;

// The PNG entry types by side; Retina types ("ic11" and on) hold the same sides and are read too.
constexpr std::pair<int, const char *> kTypes[] = {{16, "icp4"},  {32, "icp5"},  {64, "icp6"},  {128, "ic07"},
                                                   {256, "ic08"}, {512, "ic09"}, {1024, "ic10"}};

const QByteArray &pngSignature()
{
    static const QByteArray signature = QByteArray::fromHex("89504e470d0a1a0a");
    return signature;
}

quint32 bigEndian32(const char *bytes)
{
    return qFromBigEndian<quint32>(bytes);
}

QByteArray bigEndianBytes(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

struct Entry {
    QByteArray type;
    QByteArray data;
};

// The entries, or why the file is not one: every length is checked against the bytes there are
// before anything is read, so a lying length can neither run past the data nor make us allocate.
Result<QList<Entry>> entries(const QByteArray &bytes)
{
    if (bytes.size() < kHeaderBytes || !bytes.startsWith("icns"))
        return Result<QList<Entry>>::failure(QStringLiteral("not an icon file"));
    const quint32 declared = bigEndian32(bytes.constData() + 4);
    if (declared < quint32(kHeaderBytes) || declared > quint32(bytes.size()))
        return Result<QList<Entry>>::failure(
            QStringLiteral("the file declares %1 bytes but holds %2").arg(declared).arg(bytes.size()));
    QList<Entry> found;
    qsizetype at = kHeaderBytes;
    while (at < qsizetype(declared)) {
        if (qsizetype(declared) - at < kHeaderBytes)
            return Result<QList<Entry>>::failure(QStringLiteral("an entry is cut short at byte %1").arg(at));
        const quint32 length = bigEndian32(bytes.constData() + at + 4);
        if (length < quint32(kHeaderBytes) || length > quint32(qsizetype(declared) - at))
            return Result<QList<Entry>>::failure(
                QStringLiteral("the entry at byte %1 declares %2 bytes").arg(at).arg(length));
        found.append({bytes.mid(at, 4), bytes.mid(at + kHeaderBytes, length - kHeaderBytes)});
        at += length;
    }
    return found;
}

// The side a PNG declares in its header, or 0 when it is no PNG or not square.
int pngSide(const QByteArray &data)
{
    // Signature, then the IHDR chunk: length, "IHDR", width, height.
    if (data.size() < 24 || !data.startsWith(pngSignature()) || data.mid(12, 4) != "IHDR")
        return 0;
    const quint32 width = bigEndian32(data.constData() + 16);
    const quint32 height = bigEndian32(data.constData() + 20);
    return width == height && width <= quint32(std::numeric_limits<int>::max()) ? int(width) : 0;
}

QImage decodedPNG(const QByteArray &data, int side)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    return image.width() == side && image.height() == side ? image : QImage();
}

// Files with the older bitmap entries only: Qt's plugin reads those when it is installed.
QImage decodedByPlugin(const QByteArray &bytes)
{
    if (!QImageReader::supportedImageFormats().contains("icns"))
        return QImage();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "icns");
    const QImage image = reader.read();
    return image.width() <= IcnsFile::maxSide && image.height() <= IcnsFile::maxSide ? image : QImage();
}

} // namespace

QByteArray IcnsFile::encode(const QList<QImage> &images)
{
    QByteArray body;
    for (const QImage &image : images) {
        const auto type = std::find_if(std::begin(kTypes), std::end(kTypes), [&image](const auto &t) {
            return image.width() == t.first && image.height() == t.first;
        });
        if (type == std::end(kTypes))
            continue;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            continue;
        body += QByteArray(type->second) + bigEndianBytes(quint32(png.size() + kHeaderBytes)) + png;
    }
    return QByteArray("icns") + bigEndianBytes(quint32(body.size() + kHeaderBytes)) + body;
}

Result<QImage> IcnsFile::decode(const QByteArray &bytes)
{
    const Result<QList<Entry>> found = entries(bytes);
    if (!found)
        return Result<QImage>::failure(found.error());
    const Entry *largest = nullptr;
    int largestSide = 0;
    bool anyPNG = false;
    for (const Entry &entry : *found) {
        if (!entry.data.startsWith(pngSignature()))
            continue;
        anyPNG = true;
        const int side = pngSide(entry.data);
        if (side > maxSide)
            return Result<QImage>::failure(QStringLiteral("the %1 entry declares a %2-pixel image")
                                               .arg(QString::fromLatin1(entry.type))
                                               .arg(side));
        if (side > largestSide) {
            largest = &entry;
            largestSide = side;
        }
    }
    QImage image;
    if (largest)
        image = decodedPNG(largest->data, largestSide);
    else if (!anyPNG && !found->isEmpty())
        image = decodedByPlugin(bytes);
    if (image.isNull())
        return Result<QImage>::failure(QStringLiteral("no image in it could be read"));
    return image;
}

} // namespace velmora
