#include "SimulatedDisplayService.h"

#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace velmora {

namespace {

const char kNumberKey[] = "NSScreenNumber";

QJsonArray defaultDisplays()
{
    return QJsonArray{
        QJsonObject{{"number", 1}, {"name", "Built-in Retina Display"}, {"x", 0}, {"y", 0},
                    {"width", 1512}, {"height", 982}, {"main", true}},
        QJsonObject{{"number", 2}, {"name", "LG UltraFine"}, {"x", 1512}, {"y", 0},
                    {"width", 2560}, {"height", 1440}, {"main", false}},
    };
}

QJsonDocument readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonDocument();
    return QJsonDocument::fromJson(file.readAll());
}

QString keyFor(const Display &display)
{
    return QString::number(display.deviceDescription.value(kNumberKey).toULongLong());
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

QList<Display> SimulatedDisplayService::displays() const
{
    const QJsonDocument doc = readJson(displaysFile());
    const QJsonArray described = doc.isArray() ? doc.array() : defaultDisplays();
    QList<Display> result;
    for (const QJsonValue &v : described) {
        const QJsonObject o = v.toObject();
        Display d;
        // A display without a number is possible; its description then lacks the key.
        if (o.contains("number") && o["number"].isDouble())
            d.deviceDescription.insert(kNumberKey, QVariant::fromValue(quint32(o["number"].toInteger())));
        d.name = o["name"].toString();
        d.frame = QRect(o["x"].toInt(), o["y"].toInt(), o["width"].toInt(), o["height"].toInt());
        result.append(d);
    }
    return result;
}

std::optional<Display> SimulatedDisplayService::mainDisplay() const
{
    const QJsonDocument doc = readJson(displaysFile());
    const QJsonArray described = doc.isArray() ? doc.array() : defaultDisplays();
    const QList<Display> all = displays();
    for (qsizetype i = 0; i < all.size() && i < described.size(); ++i) {
        if (described[i].toObject()["main"].toBool())
            return all[i];
    }
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

std::optional<QString> SimulatedDisplayService::desktopImagePath(const Display &display) const
{
    const QJsonObject entry = readJson(picturesFile()).object()[keyFor(display)].toObject();
    const QString path = entry["path"].toString();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QVariantMap SimulatedDisplayService::desktopImageOptions(const Display &display) const
{
    const QJsonObject entry = readJson(picturesFile()).object()[keyFor(display)].toObject();
    if (entry.isEmpty())
        return {};
    return QVariantMap{{scalingKey(), QVariant::fromValue(quint64(entry["scaling"].toInteger()))},
                       {allowClippingKey(), entry["allowClipping"].toBool()}};
}

Status SimulatedDisplayService::setDesktopImage(const QString &path, const Display &display,
                                                const QVariantMap &options)
{
    // The real service refuses files it cannot decode as an image.
    QImageReader reader(path);
    if (!reader.canRead())
        return Status::failure(QStringLiteral("The file “%1” couldn’t be opened because it isn’t in the correct format.")
                                   .arg(path.section(QLatin1Char('/'), -1)));
    QJsonObject all = readJson(picturesFile()).object();
    all[keyFor(display)] = QJsonObject{
        {"path", path},
        {"scaling", qint64(options.value(scalingKey()).toULongLong())},
        {"allowClipping", options.value(allowClippingKey()).toBool()},
    };
    QSaveFile file(picturesFile());
    const QByteArray bytes = QJsonDocument(all).toJson();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(QStringLiteral("Could not save the desktop picture: %1").arg(file.errorString()));
    return Status::success();
}

} // namespace velmora
