#include "SimulatedDisplayService.h"

#include "FileLock.h"
#include "common/AtomicFile.h"
#include "platform/PlatformMessages.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>
#include <QSizeF>

namespace velmora {

namespace {

const char kNumberKey[] = "NSScreenNumber";
const char kSizeKey[] = "NSDeviceSize";

struct JsonFile {
    bool exists = false;
    QJsonDocument document;
    QString error; ///< set when the file is there but cannot be read or parsed
};

JsonFile readJson(const QString &path)
{
    JsonFile result;
    QFile file(path);
    if (!file.exists())
        return result;
    result.exists = true;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    QJsonParseError parseError;
    result.document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (result.document.isNull())
        result.error = QStringLiteral("%1 at offset %2").arg(parseError.errorString()).arg(parseError.offset);
    return result;
}

// The display number as the real device description would hold it: an unsigned 32-bit number when
// the file says so, anything else handed on as it is, for the caller to judge.
std::optional<QVariant> screenNumber(const QJsonObject &object)
{
    const QJsonValue value = object.value(QStringLiteral("number"));
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number >= 0 && number <= 4294967295.0 && number == double(quint32(number)))
            return QVariant::fromValue(quint32(number));
    }
    return value.toVariant();
}

bool sameDisplay(const Display &a, const Display &b)
{
    return a.name == b.name && a.frame == b.frame && a.deviceDescription == b.deviceDescription;
}

} // namespace

QString SimulatedDisplayService::displaysFile() const
{
    return m_root.stateFolder() + QStringLiteral("/displays.json");
}

QString SimulatedDisplayService::picturesFile() const
{
    return m_root.stateFolder() + QStringLiteral("/desktop-pictures.json");
}

void SimulatedDisplayService::warnOnce(const QString &problem) const
{
    // Every question about the displays reads the file afresh, and one command asks several; the
    // user needs to hear about one damaged file once, and again only when it changes.
    const QMutexLocker lock(&m_warningLock);
    if (problem == m_warnedProblem)
        return;
    m_warnedProblem = problem;
    if (!problem.isEmpty())
        qWarning("velmora: %s is not a JSON array of displays (%s); using the default displays",
                 qUtf8Printable(displaysFile()), qUtf8Printable(problem));
}

QByteArray SimulatedDisplayService::defaultDisplaysJson()
{
    const QJsonArray displays{
        QJsonObject{{QStringLiteral("number"), 1},
                    {QStringLiteral("name"), QStringLiteral("Built-in Retina Display")},
                    {QStringLiteral("x"), 0},
                    {QStringLiteral("y"), 0},
                    {QStringLiteral("width"), 1512},
                    {QStringLiteral("height"), 982},
                    {QStringLiteral("main"), true}},
        QJsonObject{{QStringLiteral("number"), 2},
                    {QStringLiteral("name"), QStringLiteral("External Display")},
                    {QStringLiteral("x"), 1512},
                    {QStringLiteral("y"), 0},
                    {QStringLiteral("width"), 2560},
                    {QStringLiteral("height"), 1440},
                    {QStringLiteral("main"), false}},
    };
    return QJsonDocument(displays).toJson(QJsonDocument::Indented);
}

QList<SimulatedDisplayService::Described> SimulatedDisplayService::described() const
{
    const JsonFile file = readJson(displaysFile());
    QJsonArray array;
    if (file.exists && (!file.error.isEmpty() || !file.document.isArray())) {
        // Like a machine whose display configuration cannot be read: it still has its usual screens.
        warnOnce(file.error.isEmpty() ? QStringLiteral("not an array") : file.error);
        array = QJsonDocument::fromJson(defaultDisplaysJson()).array();
    } else {
        warnOnce(QString());
        array = file.exists ? file.document.array() : QJsonDocument::fromJson(defaultDisplaysJson()).array();
    }

    QList<Described> result;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonObject o = array[i].toObject();
        Described d;
        const std::optional<QVariant> number = screenNumber(o);
        if (number)
            d.display.deviceDescription.insert(QLatin1String(kNumberKey), *number);
        d.display.name = o.value(QStringLiteral("name")).toString();
        d.display.frame = QRect(o.value(QStringLiteral("x")).toInt(), o.value(QStringLiteral("y")).toInt(),
                                qMax(0, o.value(QStringLiteral("width")).toInt()),
                                qMax(0, o.value(QStringLiteral("height")).toInt()));
        d.display.deviceDescription.insert(QLatin1String(kSizeKey), QSizeF(d.display.frame.size()));
        d.main = o.value(QStringLiteral("main")).toBool();
        // Pictures follow the display number; a display without a usable one by its place in the list.
        if (number && number->typeId() == QMetaType::UInt)
            d.key = QString::number(number->toUInt());
        else
            d.key = QStringLiteral("unnumbered-%1").arg(i + 1);
        result.append(d);
    }
    return result;
}

std::optional<SimulatedDisplayService::Described> SimulatedDisplayService::find(const Display &display) const
{
    for (const Described &d : described()) {
        if (sameDisplay(d.display, display))
            return d;
    }
    return std::nullopt;
}

QList<Display> SimulatedDisplayService::displays() const
{
    QList<Display> result;
    for (const Described &d : described())
        result.append(d.display);
    return result;
}

std::optional<Display> SimulatedDisplayService::mainDisplay() const
{
    const QList<Described> all = described();
    for (const Described &d : all) {
        if (d.main)
            return d.display;
    }
    if (all.isEmpty())
        return std::nullopt;
    return all.first().display;
}

std::optional<QString> SimulatedDisplayService::desktopImagePath(const Display &display) const
{
    const std::optional<Described> d = find(display);
    if (!d)
        return std::nullopt;
    const QJsonObject entry = readJson(picturesFile()).document.object().value(d->key).toObject();
    const QString path = entry.value(QStringLiteral("path")).toString();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QVariantMap SimulatedDisplayService::desktopImageOptions(const Display &display) const
{
    const std::optional<Described> d = find(display);
    if (!d)
        return {};
    const QJsonObject entry = readJson(picturesFile()).document.object().value(d->key).toObject();
    if (entry.isEmpty())
        return {};
    return QVariantMap{
        {scalingKey(), QVariant::fromValue(quint64(entry.value(QStringLiteral("scaling")).toInteger()))},
        {allowClippingKey(), entry.value(QStringLiteral("allowClipping")).toBool()}};
}

Status SimulatedDisplayService::setDesktopImage(const QString &path, const Display &display,
                                                const QVariantMap &options)
{
    const std::optional<Described> d = find(display);
    if (!d)
        return Status::failure(PlatformMessages::displayNotConnected(display.name));
    // The real service refuses files it cannot decode as an image.
    QImageReader reader(path);
    if (!reader.canRead())
        return Status::failure(
            QStringLiteral("The file “%1” couldn’t be opened because it isn’t in the correct format.")
                .arg(path.section(QLatin1Char('/'), -1)));

    // Two pictures set at once (two displays, two processes) must both be kept.
    if (!QDir().mkpath(m_root.stateFolder()))
        return Status::failure(QStringLiteral("Could not save the desktop picture: could not create %1")
                                   .arg(m_root.stateFolder()));
    const Result<FileLock> lock = FileLock::acquire(picturesFile());
    if (!lock)
        return Status::failure(QStringLiteral("Could not save the desktop picture: %1").arg(lock.error()));
    const JsonFile file = readJson(picturesFile());
    if (!file.error.isEmpty() || (file.exists && !file.document.isObject()))
        return Status::failure(
            QStringLiteral(
                "The desktop picture settings in “%1” are damaged (%2); remove the file to start afresh.")
                .arg(picturesFile(),
                     file.error.isEmpty() ? QStringLiteral("not a JSON object") : file.error));
    QJsonObject all = file.document.object();
    all[d->key] = QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("scaling"), qint64(options.value(scalingKey()).toULongLong())},
        {QStringLiteral("allowClipping"), options.value(allowClippingKey()).toBool()},
        {QStringLiteral("display"), d->display.name},
    };
    const Status written = AtomicFile::write(picturesFile(), QJsonDocument(all).toJson());
    if (!written)
        return Status::failure(QStringLiteral("Could not save the desktop picture: %1").arg(written.error()));
    return written;
}

} // namespace velmora
